#!/usr/bin/env python3
"""Loopback helpers for the web page's tests and benchmark (standard library only).

  webtool.py eval DEVPORT EXPR [COUNT [INTERVAL]]  evaluate EXPR in Chromium's page, print each result
  webtool.py request PORT                          send stdin to the server, print the status or "closed"
  webtool.py flood PORT N                          N connections at once, each asking for /state;
                                                   prints the answers by status, and the clock's fast
                                                   seconds and real seconds across the flood
  webtool.py pages PORT N SECONDS                  N live pages (WebSockets) open for SECONDS
  webtool.py pipeline PORT N                       N requests for /state at once on one connection;
                                                   prints the answers in order and whether it closed
  webtool.py pingflood PORT SECONDS [again]        a page that sends pings and reads nothing; prints
                                                   when the server closed it, or "open"; with again
                                                   a new one after each close, for SECONDS
  webtool.py msgflood PORT SECONDS [again]         a page that sends text messages and reads; prints
                                                   the close code it got, "closed" or "open"
  webtool.py hold PORT FROM PLAIN PAGES SECONDS    from address FROM: PLAIN half-sent requests and up
                                                   to PAGES live pages; prints how many were taken,
                                                   then holds them for SECONDS
Everything is bounded in time and goes to loopback (127.0.0.0/8) only.
"""
import base64, json, os, select, selectors, socket, struct, sys, time, urllib.error, urllib.request

HOST = "127.0.0.1"


def ws_open(port, path, source=None):
    s = socket.create_connection((HOST, port), timeout=10, source_address=(source, 0) if source else None)
    key = base64.b64encode(os.urandom(16)).decode()
    s.sendall((f"GET {path} HTTP/1.1\r\nHost: {HOST}:{port}\r\nUpgrade: websocket\r\n"
               f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n").encode())
    head = b""
    while b"\r\n\r\n" not in head:
        chunk = s.recv(1)
        if not chunk:
            raise OSError("closed during the handshake")
        head += chunk
    if b" 101 " not in head.split(b"\r\n")[0]:
        raise OSError("no WebSocket: " + head.split(b"\r\n")[0].decode())
    return s


def ws_frame(data, opcode=1):
    mask = os.urandom(4)
    n = len(data)
    head = bytes([0x80 | opcode]) + (bytes([0x80 | n]) if n < 126 else bytes([0xFE]) + struct.pack(">H", n))
    return head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data))


def ws_send(s, text):
    s.sendall(ws_frame(text.encode()))


def recv_exact(s, n):
    data = b""
    while len(data) < n:
        chunk = s.recv(n - len(data))
        if not chunk:
            raise OSError("closed")
        data += chunk
    return data


def ws_recv(s):
    message = b""
    while True:
        b0, b1 = recv_exact(s, 2)
        n = b1 & 0x7F
        if n == 126:
            n = struct.unpack(">H", recv_exact(s, 2))[0]
        elif n == 127:
            n = struct.unpack(">Q", recv_exact(s, 8))[0]
        payload = recv_exact(s, n)
        if b0 & 0x0F == 8:
            raise OSError("closed by the peer " + str(struct.unpack(">H", payload[:2])[0] if len(payload) >= 2 else ""))
        if b0 & 0x0F in (0, 1, 2):
            message += payload
            if b0 & 0x80:
                return message.decode()


def evaluate(devport, expr, count, interval):
    targets = json.load(urllib.request.urlopen(f"http://{HOST}:{devport}/json/list", timeout=10))
    page = next(t for t in targets if t.get("type") == "page")
    url = page["webSocketDebuggerUrl"]
    s = ws_open(devport, url[url.index("/devtools"):])
    for i in range(count):
        ws_send(s, json.dumps({"id": i + 1, "method": "Runtime.evaluate", "params": {
            "expression": expr, "returnByValue": True, "awaitPromise": True}}))
        while True:
            answer = json.loads(ws_recv(s))
            if answer.get("id") == i + 1:
                break
        print(json.dumps(answer.get("result", {}).get("result", {}).get("value")), flush=True)
        if i + 1 < count:
            time.sleep(interval)


def status_of(reply):
    line = reply.split(b"\r\n", 1)[0].split(b" ")
    return line[1].decode() if len(line) > 1 and reply.startswith(b"HTTP/") else "closed"


def request(port):
    s = socket.create_connection((HOST, port), timeout=10)
    try:
        s.sendall(sys.stdin.buffer.read())
        reply = b""
        while b"\r\n" not in reply:
            chunk = s.recv(4096)
            if not chunk:
                break
            reply += chunk
    except OSError:
        reply = b""
    print(status_of(reply))


def fast_time(port):
    for attempt in range(50):
        try:
            with urllib.request.urlopen(f"http://{HOST}:{port}/state", timeout=10) as r:
                return json.load(r)["time"], time.monotonic()
        except urllib.error.HTTPError as e:  # 503 while the flood's last connections close
            if e.code != 503 or attempt == 49:
                raise
            time.sleep(0.1)


def flood(port, n):
    t0, r0 = fast_time(port)
    sel = selectors.DefaultSelector()
    replies = {}
    for i in range(n):
        s = socket.socket()
        s.setblocking(False)
        s.connect_ex((HOST, port))
        sel.register(s, selectors.EVENT_WRITE, i)
        replies[i] = b""
    deadline = time.monotonic() + 20
    done = {}
    while len(done) < n and time.monotonic() < deadline:
        for key, events in sel.select(timeout=0.5):
            s, i = key.fileobj, key.data
            try:
                if events & selectors.EVENT_WRITE:
                    s.send(b"GET /state HTTP/1.1\r\nHost: uhr\r\n\r\n")
                    sel.modify(s, selectors.EVENT_READ, i)
                    continue
                chunk = s.recv(65536)
                replies[i] += chunk
                if chunk and b"\r\n" not in replies[i]:
                    continue
            except OSError:
                pass
            done[i] = status_of(replies[i])
            sel.unregister(s)
            s.close()
    for key in list(sel.get_map().values()):
        done[key.data] = "hanging"
        key.fileobj.close()
    t1, r1 = fast_time(port)
    counts = {}
    for v in done.values():
        counts[v] = counts.get(v, 0) + 1
    print(" ".join(f"{k}:{v}" for k, v in sorted(counts.items())))
    print(f"fast {(t1 - t0) % 86400} real {r1 - r0:.3f}")


def pages(port, n, seconds):
    sockets = [ws_open(port, "/live") for _ in range(n)]
    received = 0
    sel = selectors.DefaultSelector()
    for s in sockets:
        sel.register(s, selectors.EVENT_READ)
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for key, _ in sel.select(timeout=0.5):
            ws_recv(key.fileobj)
            received += 1
    print(f"pages {n} messages {received}")


def pipeline(port, n):
    s = socket.create_connection((HOST, port), timeout=10)
    s.sendall(b"GET /state HTTP/1.1\r\nHost: uhr\r\n\r\n" * n)
    data, seqs, closed = b"", [], False
    deadline = time.monotonic() + 10
    while len(seqs) < n and time.monotonic() < deadline:
        end = data.find(b"\r\n\r\n")
        if end >= 0:
            length = int(data[data.index(b"Content-Length: ") + 16:end].split(b"\r")[0])
            if len(data) >= end + 4 + length:
                seqs.append(json.loads(data[end + 4:end + 4 + length])["seq"] if data.startswith(b"HTTP/1.1 200") else -1)
                data = data[end + 4 + length:]
                continue
        chunk = s.recv(65536)
        if not chunk:
            closed = True
            break
        data += chunk
    in_order = all(b > a for a, b in zip(seqs, seqs[1:])) and -1 not in seqs
    print(f"answers {len(seqs)} {'in order' if in_order else 'out of order'} {'closed' if closed else 'open'}")


def close_code(data):
    """The code of a close frame among the server's frames in data, or None."""
    while len(data) >= 2:
        n, at = data[1] & 0x7F, 2
        if n == 126:
            n, at = (struct.unpack(">H", data[2:4])[0], 4) if len(data) >= 4 else (1 << 30, 4)
        if len(data) < at + n:
            return None
        if data[0] & 0x0F == 8:
            return struct.unpack(">H", data[at:at + 2])[0] if n >= 2 else 1005
        data = data[at + n:]
    return None


def unread(s):
    """What a socket that its peer has ended still holds to be read."""
    data = b""
    while True:
        try:
            chunk = s.recv(65536)
        except OSError:
            return data
        if not chunk:
            return data
        data += chunk


def flood_page(port, seconds, frame, reading, again=False):
    """Floods one page until the server closes it (or, with again, a new one
    each time) for at most SECONDS; prints how it ended and how often."""
    started = time.monotonic()
    deadline = started + seconds
    sent, closes, result = 0, 0, "open"
    while time.monotonic() < deadline:
        try:
            s = ws_open(port, "/live")
        except OSError:  # the last one is not gone yet
            time.sleep(0.05)
            continue
        s.setblocking(False)
        data, result = b"", "open"
        while time.monotonic() < deadline:
            _, writable, _ = select.select([], [s], [], 0.2)
            try:
                if reading:
                    try:
                        chunk = s.recv(65536)
                        if not chunk:
                            raise OSError("closed")
                        data += chunk
                    except BlockingIOError:
                        pass
                    code = close_code(data)
                    if code:
                        result = f"code {code}"
                        break
                if writable:
                    sent += s.send(frame * 512)
            except OSError:
                result = "closed"
                # the server ends the connection right after its close frame,
                # which may still wait to be read when sending fails
                code = close_code(data + unread(s)) if reading else None
                if code:
                    result = f"code {code}"
                break
        s.close()
        if result != "open":
            closes += 1
        if not again:
            break
    print(f"{result} after {time.monotonic() - started:.1f} s, {sent // 1024} KiB sent, closed {closes} times",
          flush=True)


def hold(port, source, plain, pages, seconds):
    held = []
    for _ in range(pages):
        try:
            held.append(ws_open(port, "/live", source))
        except OSError:
            break
    opened = len(held)
    for _ in range(plain):
        s = socket.create_connection((HOST, port), timeout=10, source_address=(source, 0))
        s.sendall(b"GET / HT")
        held.append(s)
    time.sleep(0.5)
    refused = 0
    for s in held[opened:]:
        s.setblocking(False)
        try:
            refused += s.recv(100).startswith(b"HTTP/1.1 503")
        except BlockingIOError:
            pass
    print(f"pages {opened} plain {plain - refused}", flush=True)
    time.sleep(seconds)


if __name__ == "__main__":
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "eval":
        evaluate(int(args[0]), args[1], int(args[2]) if len(args) > 2 else 1, float(args[3]) if len(args) > 3 else 0)
    elif cmd == "request":
        request(int(args[0]))
    elif cmd == "flood":
        flood(int(args[0]), int(args[1]))
    elif cmd == "pages":
        pages(int(args[0]), int(args[1]), float(args[2]))
    elif cmd == "pipeline":
        pipeline(int(args[0]), int(args[1]))
    elif cmd == "pingflood":
        flood_page(int(args[0]), float(args[1]), ws_frame(b"x" * 125, 9), False, args[2:] == ["again"])
    elif cmd == "msgflood":
        flood_page(int(args[0]), float(args[1]), ws_frame(b"hallo"), True, args[2:] == ["again"])
    elif cmd == "hold":
        hold(int(args[0]), args[1], int(args[2]), int(args[3]), float(args[4]))
    else:
        sys.exit(__doc__)
