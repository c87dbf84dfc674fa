"""A soffice process driven over UNO, and the installation of cellwash.oxt into its profile.

Used by the Calc tests (tests/calc) and by `make calc-install` when run as root (unopkg
refuses per-user installations as root; soffice's own extension manager does the same job).

    with Office(profile_dir, env={"CELLWASH_UI_SCRIPT": ...}) as office:
        install_extension(office.context, "build/calc/cellwash.oxt")

Runs with /usr/bin/python3, whose `uno` module is LibreOffice's (python3-uno).
"""
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import uuid

import uno
import unohelper
from com.sun.star.task import XInteractionHandler
from com.sun.star.ucb import XCommandEnvironment, XProgressHandler


def soffice_path():
    return shutil.which("soffice")


class Office:
    """soffice started on a profile folder, reachable over a pipe; always ended on exit."""

    def __init__(self, profile_dir, env=None, headless=True, timeout=90):
        self.profile_dir = os.path.abspath(profile_dir)
        self.pipe = "cellwash_" + uuid.uuid4().hex
        self.env = dict(os.environ, **(env or {}))
        self.headless = headless
        self.timeout = timeout
        self.process = None
        self.context = None
        self.desktop = None

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        args = [soffice_path(), "-env:UserInstallation=" + uno.systemPathToFileUrl(self.profile_dir),
                "--norestore", "--nologo", "--nodefault", "--nolockcheck",
                "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe]
        if self.headless:
            args.append("--headless")
        quiet = subprocess.DEVNULL if not os.environ.get("CELLWASH_OFFICE_OUTPUT") else None
        self.process = subprocess.Popen(args, env=self.env, stdout=quiet, stderr=quiet,
                                        start_new_session=True)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.time() + self.timeout
        while True:
            try:
                self.context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
                break
            except Exception:
                if self.process.poll() is not None or time.time() > deadline:
                    self.stop()
                    raise RuntimeError("soffice did not come up (exit status %r)" % self.process.returncode)
                time.sleep(0.25)
        self.desktop = self.context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop",
                                                                             self.context)

    def stop(self):
        """Ends soffice: asks the desktop to terminate, then kills what is left of its session."""
        if self.process is None:
            return
        desktop = self.desktop

        def terminate():
            try:
                desktop.terminate()
            except Exception:
                pass  # the bridge goes down with soffice

        if desktop is not None:
            # A soffice busy in a dialog may never answer: the kill below ends it anyway.
            asking = threading.Thread(target=terminate, daemon=True)
            asking.start()
            asking.join(15)
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            pass
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        # A killed soffice leaves its pipe's socket behind (OSL_PIPE_<uid>_<name> in /tmp).
        try:
            os.remove(os.path.join(tempfile.gettempdir(), "OSL_PIPE_%d_%s" % (os.getuid(), self.pipe)))
        except OSError:
            pass
        self.process = None
        self.context = None
        self.desktop = None

    def create(self, service):
        return self.context.ServiceManager.createInstanceWithContext(service, self.context)


class _Approve(unohelper.Base, XInteractionHandler):
    """Accepts the licence and every other question the extension manager asks."""

    def handle(self, request):
        approve = uno.getTypeByName("com.sun.star.task.XInteractionApprove")
        for continuation in request.getContinuations():
            if continuation.queryInterface(approve) is not None:
                continuation.select()
                return


class _Progress(unohelper.Base, XProgressHandler):
    def push(self, status):
        pass

    def update(self, status):
        pass

    def pop(self):
        pass


class _Environment(unohelper.Base, XCommandEnvironment):
    def getInteractionHandler(self):
        return _Approve()

    def getProgressHandler(self):
        return _Progress()


def extension_manager(context):
    return context.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")


def install_extension(context, oxt_path):
    """Adds the extension to the profile's user extensions (replacing an older one)."""
    manager = extension_manager(context)
    url = uno.systemPathToFileUrl(os.path.abspath(oxt_path))
    return manager.addExtension(url, (), "user", None, _Environment())


def remove_extension(context, identifier="org.cellwash.calc"):
    """Removes the extension from the profile's user extensions; False when it is not there."""
    manager = extension_manager(context)
    for package in manager.getDeployedExtensions("user", None, _Environment()):
        if package.getIdentifier().Value == identifier:
            manager.removeExtension(identifier, package.getName(), "user", None, _Environment())
            return True
    return False


def installed_identifiers(context):
    manager = extension_manager(context)
    return [package.getIdentifier().Value for package in manager.getDeployedExtensions("user", None, _Environment())]


def main():
    import argparse
    parser = argparse.ArgumentParser(
        description="Installs cellwash.oxt into a LibreOffice user profile, or removes it (--remove).")
    parser.add_argument("oxt", nargs="?", help="the extension to install")
    parser.add_argument("--remove", action="store_true", help="remove the installed Cellwash extension")
    parser.add_argument("--profile", default=os.path.expanduser("~/.config/libreoffice/4"),
                        help="the user profile folder (default: %(default)s)")
    options = parser.parse_args()
    if not options.remove and not options.oxt:
        parser.error("give the extension to install, or --remove")
    with Office(options.profile) as office:
        if options.remove:
            print("removed" if remove_extension(office.context) else "Cellwash was not installed")
        else:
            install_extension(office.context, options.oxt)
            print("installed into %s: %s" % (options.profile, ", ".join(installed_identifiers(office.context))))


if __name__ == "__main__":
    main()
