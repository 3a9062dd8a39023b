#!/usr/bin/env python3
"""The feedback service for one end-to-end story: listens on 127.0.0.1 only, writes the
port it got to PORT_FILE, and keeps every POST (path, content type, body) in BODY_FILE."""
import http.server
import sys

port_file, body_file = sys.argv[1], sys.argv[2]


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        with open(body_file, "ab") as out:
            out.write(f"{self.path}\n{self.headers.get('Content-Type')}\n".encode() + body + b"\n")
        self.send_response(204)
        self.end_headers()


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
with open(port_file, "w") as out:
    out.write(str(server.server_address[1]))
server.serve_forever()
