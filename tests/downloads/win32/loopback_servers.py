#!/usr/bin/env python3
"""Loopback HTTP and FTP servers for the download client's tests under Wine.

Usage: loopback_servers.py PORTS_FILE ROOT SECONDS

Listens on 127.0.0.1 only, on ports the system picks, writes
"http PORT" and "ftp PORT" lines to PORTS_FILE once both listen, serves
ROOT over FTP (with tool.bin, 5000 bytes of the pattern, written there), and
stops by itself after SECONDS.

HTTP paths (bodies are the pattern of pattern(), so a client can check
every byte):
  /file/N            N bytes, Content-Length, byte ranges honoured
  /nolength/N        N bytes, no Content-Length (the connection closes)
  /gzip/N            N bytes, gzip-encoded when the client accepts it
  /redirect/N        302 to /file/N
  /missing           404 with an HTML page
  /drip              an announced large body sent 8 kB every 50 ms
  /drop/N            announces N bytes, sends half, drops the connection;
                     a Range request gets the rest (206)
  /drop-restart/N    like /drop/N, but a Range request gets all N bytes (200)
  /drop-noranges/N   like /drop/N without Accept-Ranges
  /page/NAME         an HTML page linking to /file/... or /served/... (see PAGES)
  /served/NAME       the file ROOT/NAME, byte ranges honoured
  /referred/NAME     the same, only to a request referred by /page/mg-middle
  /fetch?file=NAME&key=7
                     the same, only with both query fields as written (a
                     link whose "&amp;" was not decoded gets a 404)
"""
import gzip
import logging
import http.server
import os
import re
import socketserver
import sys
import threading
import time
import urllib.parse


def pattern(size, start=0):
    return bytes(ord('a') + (i * 7 + i // 251) % 26 for i in range(start, size))


PAGES = {
    'links': b'<html><body><p>Download now</p>\n'
             b'<a href="/about.html">About</a>\n'
             b'<a class="btn" href="/file/4000">Download now</a>\n'
             b'</body></html>',
    'refresh': b'<html><head><meta http-equiv="refresh" content="0; url=/file/3000"></head></html>',
    # The file is behind the second of two links of one text; the first fails.
    'second-link': b'<html><body>\n'
                   b'<a href="/missing">Download now</a>\n'
                   b'<a class="btn" href="/fetch?file=linked.exe&amp;key=7">Download now</a>\n'
                   b'</body></html>',
    'refresh-served': b'<html><head><meta http-equiv="refresh" '
                      b'content="0; url=/served/refreshed.exe"></head></html>',
    # A download site's product page and the page it leads to.
    'mg-product': b'<html><body><a href="/page/mg-middle">Download@MajorGeeks</a></body></html>',
    'mg-middle': b'<html><body><p>Your download will start shortly.</p>\n'
                 b'<a href="/referred/geeks.exe">Click here if it does not.</a></body></html>',
}

# Several requests of one test may want the same counter.
drop_requests = {}
drop_lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def send_body(self, status, body, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def requested_range(self):
        match = re.match(r'bytes=(\d+)-$', self.headers.get('Range', ''))
        return int(match.group(1)) if match else None

    def do_GET(self):
        path, _, self.query = self.path.partition('?')
        parts = path.strip('/').split('/')
        kind, size = parts[0], int(parts[1]) if len(parts) > 1 and parts[1].isdigit() else 0
        handler = getattr(self, 'get_' + kind.replace('-', '_'), None)
        if handler is None:
            return self.send_body(404, b'<html>Not found</html>', [('Content-Type', 'text/html')])
        handler(size, parts)

    def get_file(self, size, parts):
        start = self.requested_range()
        if start is not None and start < size:
            return self.send_body(206, pattern(size, start), [
                ('Accept-Ranges', 'bytes'), ('Content-Range', f'bytes {start}-{size - 1}/{size}')])
        self.send_body(200, pattern(size), [('Accept-Ranges', 'bytes')])

    def get_nolength(self, size, parts):
        self.send_response(200)
        self.send_header('Connection', 'close')
        self.end_headers()
        self.wfile.write(pattern(size))
        self.close_connection = True

    def get_gzip(self, size, parts):
        if 'gzip' in self.headers.get('Accept-Encoding', ''):
            return self.send_body(200, gzip.compress(pattern(size)), [('Content-Encoding', 'gzip')])
        self.send_body(200, pattern(size))

    def get_redirect(self, size, parts):
        self.send_response(302)
        self.send_header('Location', f'/file/{size}')
        self.send_header('Content-Length', '0')
        self.end_headers()

    def get_missing(self, size, parts):
        self.send_body(404, b'<html>Not found</html>', [('Content-Type', 'text/html')])

    def get_drip(self, size, parts):
        self.send_response(200)
        self.send_header('Content-Length', str(100 * 1024 * 1024))
        self.end_headers()
        try:
            for _ in range(600):
                self.wfile.write(b'x' * 8192)
                self.wfile.flush()
                time.sleep(0.05)
        except OSError:
            pass
        self.close_connection = True

    def dropping(self, size, ranges_answer, announce_ranges):
        start = self.requested_range()
        if start is not None and ranges_answer == 206:
            return self.get_file(size, None)
        if start is not None and ranges_answer == 200:
            return self.send_body(200, pattern(size), [('Accept-Ranges', 'bytes')])
        self.send_response(200)
        self.send_header('Content-Length', str(size))
        if announce_ranges:
            self.send_header('Accept-Ranges', 'bytes')
        self.end_headers()
        self.wfile.write(pattern(size)[:size // 2])
        self.wfile.flush()
        self.close_connection = True

    def get_drop(self, size, parts):
        self.dropping(size, 206, True)

    def get_drop_restart(self, size, parts):
        self.dropping(size, 200, True)

    def get_drop_noranges(self, size, parts):
        self.dropping(size, None, False)

    def send_served(self, name):
        path = os.path.join(self.server.root, os.path.basename(name))
        if not name or not os.path.isfile(path):
            return self.get_missing(0, None)
        with open(path, 'rb') as source:
            body = source.read()
        start = self.requested_range()
        if start is not None and start < len(body):
            return self.send_body(206, body[start:], [
                ('Accept-Ranges', 'bytes'),
                ('Content-Range', f'bytes {start}-{len(body) - 1}/{len(body)}')])
        self.send_body(200, body, [('Accept-Ranges', 'bytes')])

    def get_served(self, size, parts):
        self.send_served(parts[1] if len(parts) > 1 else '')

    def get_referred(self, size, parts):
        if not self.headers.get('Referer', '').endswith('/page/mg-middle'):
            return self.get_missing(0, parts)
        self.get_served(size, parts)

    def get_fetch(self, size, parts):
        fields = urllib.parse.parse_qs(self.query)
        if fields.get('key') != ['7']:
            return self.get_missing(0, parts)
        self.send_served(fields.get('file', [''])[0])

    def get_page(self, size, parts):
        body = PAGES.get(parts[1] if len(parts) > 1 else '')
        if body is None:
            return self.get_missing(0, parts)
        self.send_body(200, body, [('Content-Type', 'text/html')])


class HttpServer(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def ftp_server(root):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import ThreadedFTPServer
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root)
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.passive_ports = None
    handler.masquerade_address = None
    return ThreadedFTPServer(('127.0.0.1', 0), handler)


def main():
    logging.basicConfig(level=logging.ERROR)  # no line per FTP session
    ports_file, root, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
    with open(os.path.join(root, 'tool.bin'), 'wb') as out:
        out.write(pattern(5000))
    http_server = HttpServer(('127.0.0.1', 0), Handler)
    http_server.root = root
    ftp = ftp_server(root)
    threading.Thread(target=http_server.serve_forever, daemon=True).start()
    threading.Thread(target=ftp.serve_forever, kwargs={'handle_exit': False}, daemon=True).start()
    with open(ports_file + '.part', 'w') as out:
        out.write(f'http {http_server.server_address[1]}\nftp {ftp.address[1]}\n')
    os.replace(ports_file + '.part', ports_file)
    time.sleep(seconds)


if __name__ == '__main__':
    main()
