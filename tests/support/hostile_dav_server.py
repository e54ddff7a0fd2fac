#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A CardDAV server on loopback that answers in one hostile or broken shape, for the tests and the
hostile-server bench. It prints "PORT=<n>" once it listens, and ends when its standard input
closes or its lifetime is over, so it never outlives the test that started it.

  hostile_dav_server.py MODE [--size N] [--host 127.0.0.1] [--cert PEM --key PEM]
                             [--location URL] [--interval SECONDS] [--lifetime SECONDS]

The address book is /dav/book/. Modes:
  amplified    one listing response naming N hrefs beside a property of N elements
  huge-listing a listing of about N MiB, every member with a large property nobody asked for
  huge-photo   one card whose PHOTO is N MiB of base64
  tiny-lines   one card of N MiB of "A:" lines
  many-lines   one card of N lines of "X-A:1" (a few bytes each)
  trickle      a listing sent one byte every --interval seconds
  truncate     sync-collection answers always truncated (507), N new members and a new token each
  deep         a listing nested N elements deep
  moved        every request is redirected (301) to --location; a 401 asks for a password
  plain        a small, sound address book of N cards
"""
import argparse
import re
import os
import socket
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

BOOK = "/dav/book/"
NS = 'xmlns:d="DAV:" xmlns:card="urn:ietf:params:xml:ns:carddav"'


def book_response(tokens):
    report = ("<d:supported-report-set><d:supported-report><d:report><d:sync-collection/></d:report>"
              "</d:supported-report></d:supported-report-set>" if tokens else "")
    return ("<d:response><d:href>%s</d:href><d:propstat><d:prop><d:resourcetype><d:collection/>"
            "<card:addressbook/></d:resourcetype><d:displayname>Hostile</d:displayname>%s"
            "<d:sync-token>t0</d:sync-token></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
            "</d:response>" % (BOOK, report))


def member(href, etag, extra=""):
    return ("<d:response><d:href>%s</d:href><d:propstat><d:prop><d:getetag>&quot;%s&quot;</d:getetag>"
            "<d:getcontenttype>text/vcard</d:getcontenttype>%s</d:prop><d:status>HTTP/1.1 200 OK</d:status>"
            "</d:propstat></d:response>" % (href, etag, extra))


def card_text(uid, name, lines=""):
    return "BEGIN:VCARD\nVERSION:3.0\nUID:%s\nFN:%s\nN:%s;;;;\n%sEND:VCARD\n" % (uid, name, name, lines)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    disable_nagle_algorithm = True

    def log_message(self, *args):
        pass

    def body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length).decode("utf-8", "replace") if length else ""

    def send(self, status, chunks, headers=()):
        """Sends the reply; chunks is a list of byte strings or a generator of them (sent chunked)."""
        self.send_response(status)
        self.send_header("Content-Type", "application/xml; charset=utf-8")
        for name, value in headers:
            self.send_header(name, value)
        if isinstance(chunks, (bytes, str)):
            data = chunks.encode() if isinstance(chunks, str) else chunks
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)
            return
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        def flush(data):
            if data:
                self.wfile.write(b"%x\r\n%s\r\n" % (len(data), data))
                self.wfile.flush()

        # Pieces are sent as they come when trickling, else gathered into chunks of 64 KiB.
        gather = 1 if self.server.mode == "trickle" else 65536
        try:
            pending = b""
            for chunk in chunks:
                pending += chunk.encode() if isinstance(chunk, str) else chunk
                if len(pending) >= gather:
                    flush(pending)
                    pending = b""
            flush(pending)
            self.wfile.write(b"0\r\n\r\n")
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            self.close_connection = True

    def multistatus(self, inner):
        def generate():
            yield '<?xml version="1.0" encoding="utf-8"?><d:multistatus %s>' % NS
            if isinstance(inner, str):
                yield inner
            else:
                yield from inner
            yield "</d:multistatus>"
        return generate()

    def do_PROPFIND(self):
        self.body()
        self.answer("PROPFIND")

    def do_REPORT(self):
        request = self.body()
        self.answer("REPORT", request)

    def do_PUT(self):
        self.body()
        self.send(201, b"", [("ETag", '"put"')])

    def do_DELETE(self):
        self.send(204, b"")

    def do_GET(self):
        self.send(404, b"")

    def answer(self, method, request=""):
        mode = self.server.mode
        size = self.server.size
        depth = self.headers.get("Depth", "0")
        if mode == "moved":
            if self.headers.get("Authorization"):
                self.server.credentials_seen = True
                print("CREDENTIALS_SEEN=1", flush=True)
            if self.server.location:
                self.send(301, b"", [("Location", self.server.location + self.path.lstrip("/"))])
            else:
                self.send(401, b"", [("WWW-Authenticate", 'Basic realm="elsewhere"')])
            return
        if method == "PROPFIND" and depth == "0":
            self.send(207, self.multistatus(book_response(mode == "truncate")))
            return
        if method == "PROPFIND":
            self.listing(mode, size)
            return
        if "sync-collection" in request:
            self.truncated(size)
            return
        self.multiget(mode, size, request)

    def listing(self, mode, size):
        if mode == "amplified":
            hrefs = "".join("<d:href>%sm%d.vcf</d:href>" % (BOOK, i) for i in range(size))
            elements = "<d:x/>" * size
            self.send(207, self.multistatus(
                book_response(False) + "<d:response>" + hrefs + "<d:propstat><d:prop><d:resourcetype>" +
                elements + "</d:resourcetype><d:getetag>&quot;e&quot;</d:getetag></d:prop>"
                "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"))
        elif mode == "huge-listing":
            junk = "<d:junk>" + "j" * 2000 + "</d:junk>"
            count = size * 1024 * 1024 // (len(junk) + 200)
            self.send(207, self.multistatus(
                member("%sm%d.vcf" % (BOOK, i), "e%d" % i, junk) for i in range(count)))
        elif mode == "trickle":
            self.send(207, self.trickled())
        elif mode == "deep":
            self.send(207, self.multistatus(["<d:response>" * size, "</d:response>" * size]))
        elif mode == "plain":
            self.send(207, self.multistatus(
                book_response(False) + "".join(member("%sc%d.vcf" % (BOOK, i), "e%d" % i) for i in range(size))))
        else:
            self.send(207, self.multistatus(book_response(mode == "truncate") + member(BOOK + "big.vcf", "big")))

    def trickled(self):
        text = ('<?xml version="1.0" encoding="utf-8"?><d:multistatus %s>' % NS + member(BOOK + "a.vcf", "a") +
                "</d:multistatus>")
        for char in text:
            yield char
            time.sleep(self.server.interval)

    def truncated(self, size):
        round_number = self.server.next_round()
        members = "".join(member("%sr%d-%d.vcf" % (BOOK, round_number, i), "e") for i in range(size))
        self.send(207, self.multistatus(
            members + "<d:response><d:href>%s</d:href><d:status>HTTP/1.1 507 Insufficient Storage</d:status>"
            "</d:response><d:sync-token>t%d</d:sync-token>" % (BOOK, round_number + 1)))

    def multiget(self, mode, size, request):
        if mode == "plain":
            hrefs = re.findall(r"<[A-Za-z]*:?href>([^<]*)</[A-Za-z]*:?href>", request)
            self.send(207, self.multistatus("".join(
                "<d:response><d:href>%s</d:href><d:propstat><d:prop><d:getetag>&quot;e&quot;</d:getetag>"
                "<card:address-data>%s</card:address-data></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                "</d:propstat></d:response>" % (href, card_text(href, "Plain " + href.rsplit("/", 1)[-1][:-4]))
                for href in hrefs)))
            return
        if mode == "huge-photo":
            def photo():
                yield "<d:response><d:href>%sbig.vcf</d:href><d:propstat><d:prop><d:getetag>&quot;big&quot;" \
                      "</d:getetag><card:address-data>BEGIN:VCARD\nVERSION:3.0\nUID:big\nFN:Pat Photo\n" \
                      "N:Photo;Pat;;;\nPHOTO;ENCODING=b;TYPE=JPEG:" % BOOK
                line = "QUJD" * 16384
                for _ in range(size * 1024 * 1024 // len(line)):
                    yield line
                yield "\nEND:VCARD\n</card:address-data></d:prop><d:status>HTTP/1.1 200 OK</d:status>" \
                      "</d:propstat></d:response>"
            self.send(207, self.multistatus(photo()))
            return
        if mode == "tiny-lines":
            lines = "A:\n" * (size * 1024 * 1024 // 3)
        elif mode == "many-lines":
            lines = "X-A:1\n" * size
        else:
            lines = ""
        self.send(207, self.multistatus(
            "<d:response><d:href>%sbig.vcf</d:href><d:propstat><d:prop><d:getetag>&quot;big&quot;</d:getetag>"
            "<card:address-data>%s</card:address-data></d:prop><d:status>HTTP/1.1 200 OK</d:status>"
            "</d:propstat></d:response>" % (BOOK, card_text("big", "Tiny Lines", lines))))


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, mode, size, location, interval):
        self.address_family = socket.AF_INET
        super().__init__(address, Handler)
        self.mode, self.size, self.location, self.interval = mode, size, location, interval
        self.rounds = 0
        self.lock = threading.Lock()
        self.credentials_seen = False

    def next_round(self):
        with self.lock:
            self.rounds += 1
            return self.rounds


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode")
    parser.add_argument("--size", type=int, default=1)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--location", default="")
    parser.add_argument("--interval", type=float, default=20.0)
    parser.add_argument("--lifetime", type=float, default=900.0)
    options = parser.parse_args()
    server = Server((options.host, 0), options.mode, options.size, options.location, options.interval)
    if options.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(options.cert, options.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT=%d" % server.server_address[1], flush=True)

    def end_with_input():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=end_with_input, daemon=True).start()
    threading.Timer(options.lifetime, lambda: os._exit(0)).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
