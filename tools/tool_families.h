#pragma once
// The add-in's four tool families, handed to the shell's command set-ups and to frmMain's Yes
// dispatch. The composition root calls this before it connects the add-in to a host.
namespace tools {

// Registers the text cleaner, the duplicate tools, the data organizer and the count tools.
// Registering again replaces the routines with the same ones.
void registerToolFamilies();

}  // namespace tools
