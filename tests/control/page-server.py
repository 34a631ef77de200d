#!/usr/bin/env python3
"""The web server the control's download tests talk to: Python's http.server on
127.0.0.1 serving one folder, names compared with their case as many servers do.

A path segment "~WORD" (removed before the file is looked up) changes the answer:
  ~delay=MS     waits MS milliseconds before answering
  ~status=CODE  answers CODE with a small HTML page instead of the file
  ~cut=N        announces the file's whole length and sends only its first N bytes
  ~html         sends an HTML page with status 200 whatever the file
  ~endless      sends bytes slowly and never ends
Every request's path is appended to the log file, one a line.

Usage: page-server.py ROOT LOG PORT_FILE   (the chosen port is written to PORT_FILE)
"""
import http.server
import os
import sys
import time
import urllib.parse

ROOT, LOG, PORT_FILE = sys.argv[1:4]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_page(self, code, body, length=None):
        self.send_response(code)
        self.send_header("Content-Type", "text/html" if code != 200 else "application/octet-stream")
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()
        self.close_connection = True

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path
        with open(LOG, "a") as log:
            log.write(path + "\n")
        rules, names = {}, []
        for segment in urllib.parse.unquote(path).split("/"):
            if segment.startswith("~"):
                key, _, value = segment[1:].partition("=")
                rules[key] = value
            elif segment:
                names.append(segment)
        if "delay" in rules:
            time.sleep(int(rules["delay"]) / 1000.0)
        if "status" in rules:
            code = int(rules["status"])
            return self.send_page(code, b"<html><body>%d</body></html>" % code)
        if "html" in rules:
            return self.send_page(200, b"<html><body><h1>Not a page</h1></body></html>")
        if "endless" in rules:
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(1 << 40))
            self.end_headers()
            try:
                while True:
                    self.wfile.write(b"\x5a" * 1024)
                    self.wfile.flush()
                    time.sleep(0.05)
            except OSError:
                return
        file = os.path.join(ROOT, *names)
        if not names or ".." in names or not os.path.isfile(file):
            return self.send_page(404, b"<html><body>404 Not Found</body></html>")
        with open(file, "rb") as f:
            body = f.read()
        if "cut" in rules:
            return self.send_page(200, body[: int(rules["cut"])], length=len(body))
        self.send_page(200, body)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def server_bind(self):
        # Without the name lookup of the address, which may wait on a resolver.
        import socketserver
        socketserver.TCPServer.server_bind(self)
        self.server_name, self.server_port = self.server_address[:2]


server = Server(("127.0.0.1", 0), Handler)
with open(PORT_FILE + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
os.rename(PORT_FILE + ".tmp", PORT_FILE)
server.serve_forever()
