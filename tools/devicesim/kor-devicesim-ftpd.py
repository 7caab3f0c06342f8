#!/usr/bin/python3
"""FTP server of the simulated camera (started by kor-devicesim, not meant to be run by hand).

Serves the device folder as "/" with pyftpdlib (Debian's python3-pyftpdlib): log-in with the
camera's user and password, SITE CHMOD changes the files' mode bits on disk. Faults: a refused
log-in (331 for USER, then 530 for PASS) and failing uploads. The password is the first line of
standard input (never the command line, which every user of the machine can read). Prints
"ftp ready PORT" once it listens, and ends when its parent goes (end of standard input) or on
SIGTERM.
"""

import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

EXIT_ADDRESS_IN_USE = 3
PERMISSIONS = "elradfmwMT"


class RefusingAuthorizer(DummyAuthorizer):
    """Asks for a password, then refuses it, whoever logs in."""

    def validate_authentication(self, username, password, handler):
        raise AuthenticationFailed("Login incorrect.")


class CameraHandler(FTPHandler):
    # None: uploads work; "*": every upload fails; a name: uploads of that file fail.
    fail_upload = None
    # Failed log-ins are answered at once; the tests wait for nothing.
    auth_failed_timeout = 0

    def ftp_STOR(self, file, mode="w"):
        name = os.path.basename(file)
        if self.fail_upload is not None and self.fail_upload in ("*", name):
            self.respond("451 Requested action aborted: local error in processing.")
            return None
        return super().ftp_STOR(file, mode)


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--address", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--user", default="")
    parser.add_argument("--banner", default="FTP server ready.")
    parser.add_argument("--refuse-login", action="store_true")
    parser.add_argument("--fail-upload", default=None)
    return parser.parse_args()


def exit_when_parent_goes():
    try:
        while sys.stdin.buffer.read(4096):
            pass
    finally:
        os._exit(0)


def main():
    args = parse_args()
    password = sys.stdin.buffer.readline().rstrip(b"\n").decode("utf-8", "surrogateescape")
    logging.basicConfig(level=logging.WARNING, format="kor-devicesim-ftpd: %(message)s")

    root = os.path.realpath(args.root)
    authorizer = RefusingAuthorizer() if args.refuse_login else DummyAuthorizer()
    if args.user or password:
        authorizer.add_user(args.user, password, root, perm=PERMISSIONS)
    else:
        authorizer.add_anonymous(root, perm=PERMISSIONS)

    CameraHandler.authorizer = authorizer
    CameraHandler.banner = args.banner
    CameraHandler.fail_upload = args.fail_upload
    CameraHandler.permit_foreign_addresses = False

    try:
        server = FTPServer((args.address, args.port), CameraHandler)
    except OSError as error:
        print("kor-devicesim-ftpd: cannot listen on %s:%d: %s" % (args.address, args.port, error),
              file=sys.stderr)
        sys.exit(EXIT_ADDRESS_IN_USE if error.errno == 98 else 1)

    threading.Thread(target=exit_when_parent_goes, daemon=True).start()
    print("ftp ready %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
