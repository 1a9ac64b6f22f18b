#!/usr/bin/env python3
"""Serves the browser build's site on 127.0.0.1 only, with the headers that make the page
cross-origin isolated (the game's threads share memory, which browsers allow only then).

    tools/web_server.py [--port N] [--no-isolation] FOLDER

--port 0 picks a free port. The first line printed is the page's address. --no-isolation leaves
the headers out, as a plain server would (the page's service worker then adds them).
"""
import argparse
import functools
import http.server
import sys


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".data": "application/octet-stream",
        ".script": "text/plain",
    }

    def __init__(self, *args, isolate, **kwargs):
        self.isolate = isolate
        super().__init__(*args, **kwargs)

    def end_headers(self):
        if self.isolate:
            self.send_header("Cross-Origin-Opener-Policy", "same-origin")
            self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
            self.send_header("Cross-Origin-Resource-Policy", "same-origin")
        # A rebuilt game is picked up at the next reload.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8000)
    parser.add_argument("--no-isolation", action="store_true")
    parser.add_argument("folder")
    args = parser.parse_args()
    handler = functools.partial(SiteHandler, directory=args.folder, isolate=not args.no_isolation)
    try:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    except OSError as error:
        sys.exit(f"web_server.py: cannot serve on 127.0.0.1:{args.port}: {error.strerror}")
    print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
