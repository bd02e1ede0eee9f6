"""The picture store: an FTP server (pyftpdlib, passive mode) with one write-only account whose
uploads land in the service's incoming folder. A finished upload is moved to incoming/complete/,
where kesp-service checks it and publishes it as avatars/NICK.jpg; an unfinished or oversized one
is deleted. Prints one line with the port it listens on.
Usage: picture_store.py --data DIR [--host H] [--port P] [--user U] [--password PW]"""
import argparse
import os

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

LARGEST_UPLOAD = 200 * 1024


class BoundedUpload(DTPHandler):
    """Drops an upload as soon as it grows past the largest picture the service takes."""

    def handle_read(self):
        super().handle_read()
        if self.receive and self.file_obj is not None and self.tot_bytes_received > LARGEST_UPLOAD:
            path = self.file_obj.name
            self.file_obj.close()
            try:
                os.remove(path)
            except OSError:
                pass
            self.close()


class PictureHandler(FTPHandler):
    dtp_handler = BoundedUpload
    # Nicks are Windows-1251 bytes; keep them as they come.
    unicode_errors = "surrogateescape"
    timeout = 60
    max_login_attempts = 3
    banner = "Kesp picture store"

    def on_file_received(self, path):
        complete = os.path.join(self.complete_folder, os.path.basename(path))
        os.replace(path, complete)

    def on_incomplete_file_received(self, path):
        try:
            os.remove(path)
        except OSError:
            pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--data", required=True)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=21)
    parser.add_argument("--passive-ports", default="")
    parser.add_argument("--user", default=os.environ.get("KESP_FTP_USER", "kesp"))
    parser.add_argument("--password", default=os.environ.get("KESP_FTP_PASSWORD", "pictures"))
    args = parser.parse_args()
    incoming = os.path.abspath(os.path.join(args.data, "incoming"))
    PictureHandler.complete_folder = os.path.join(incoming, "complete")
    os.makedirs(PictureHandler.complete_folder, exist_ok=True)
    authorizer = DummyAuthorizer()
    # "w": store files; nothing can be listed, read, renamed or deleted.
    authorizer.add_user(args.user, args.password, incoming, perm="w")
    PictureHandler.authorizer = authorizer
    if args.passive_ports:
        first, last = (int(p) for p in args.passive_ports.split("-"))
        PictureHandler.passive_ports = range(first, last + 1)
    server = FTPServer((args.host, args.port), PictureHandler)
    server.max_cons = 64
    server.max_cons_per_ip = 8
    print("picture store listening on ftp://%s:%d/" % (args.host, server.address[1]), flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
