/* plugsweep's version block; read by the Windows resource script and by the
   version note of other builds, so kept to what both can parse. */
#ifndef PLUGSWEEP_VERSION_INFO_H
#define PLUGSWEEP_VERSION_INFO_H

#define PLUGSWEEP_VERSION_NUMBERS 2, 0, 0, 0
#define PLUGSWEEP_FILE_VERSION "2.0.0.0"
#define PLUGSWEEP_PRODUCT_VERSION "2.0.0.0"
#define PLUGSWEEP_VERSION_TEXT "2.00"
#define PLUGSWEEP_DESCRIPTION "Remove VBA Addins from Office Application!"
#define PLUGSWEEP_PRODUCT_NAME "Plugsweep"

#endif
