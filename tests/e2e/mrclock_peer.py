#!/usr/bin/env python3
"""Other clocks of a layout room, written from the MRclock protocol description.

  mrclock_peer.py strict  SECONDS   reads datagrams as a small board does: the
                                    fields in their fixed order, CR LF
  mrclock_peer.py lenient SECONDS   looks each field up by name
      both print "listening", then "name HH:MM:SS active speed text" per
                                    datagram read
  mrclock_peer.py station NAME HH:MM SPEED INTERVAL
                                    sends like a command station: every
                                    INTERVAL s, its time running at SPEED
  mrclock_peer.py burst N           sends N malformed datagrams
The group and port are 239.50.50.20:2000.
"""
import socket
import struct
import sys
import time

GROUP, PORT = "239.50.50.20", 2000
ORDER = ["version", "name", "ip-address", "ip-port", "text", "clocktype", "active", "speed", "clock",
         "weekday", "interval"]


def listener():
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.bind(("", PORT))
    s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP,
                 struct.pack("4s4s", socket.inet_aton(GROUP), socket.inet_aton("0.0.0.0")))
    return s


def strict(data):
    if len(data) > 650:
        raise ValueError("longer than a small board's buffer")
    lines = data.decode("utf-8").split("\r\n")
    if lines[0] != "fastclock" or lines[-1] != "":
        raise ValueError("not fastclock lines ending in CR LF")
    fields = {}
    for key, line in zip(ORDER, lines[1:]):
        if not line.startswith(key + "="):
            raise ValueError("expected %s, got %r" % (key, line))
        fields[key] = line[len(key) + 1:]
    if len(fields) != len(ORDER) or fields["version"] != "2":
        raise ValueError("fields missing")
    return fields


def lenient(data):
    fields = {}
    for line in data.decode("utf-8", "replace").splitlines()[1:]:
        key, _, value = line.partition("=")
        fields.setdefault(key.strip().lower(), value.strip())
    return fields


def receive(parse, seconds):
    s = listener()
    s.settimeout(0.2)
    print("listening", flush=True)
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            data = s.recv(2048)
        except socket.timeout:
            continue
        try:
            f = parse(data)
            h, m, sec = (int(x) for x in f["clock"].split(":"))
            print(f["name"], "%02d:%02d:%02d" % (h, m, sec), f["active"], f["speed"], f.get("text", ""), flush=True)
        except (ValueError, KeyError, UnicodeDecodeError) as e:
            print("REFUSED", e, flush=True)


def sender():
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_TTL, 1)
    s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_LOOP, 1)
    return s


def station(name, start, speed, interval):
    s = sender()
    h, m = (int(x) for x in start.split(":"))
    origin, began = h * 3600 + m * 60, time.monotonic()
    while True:
        t = int(origin + (time.monotonic() - began) * speed) % 86400
        text = ("fastclock\r\nversion=2\r\nname=%s\r\nip-address=192.168.0.111\r\nip-port=2000\r\ntext=\r\n"
                "clocktype=fastclock\r\nactive=yes\r\nspeed=%g\r\nclock=%02d:%02d:%02d\r\nweekday=\r\n"
                "interval=%d\r\n" % (name, speed, t // 3600, t // 60 % 60, t % 60, interval))
        s.sendto(text.encode(), (GROUP, PORT))
        time.sleep(interval)


def burst(n):
    s = sender()
    bad = [b"", b"fastclock", b"fastclock\r\nclock=25:00:00\r\nspeed=6\r\nactive=yes\r\n",
           b"fastclock\r\nclock=12:00:00\r\nspeed=nan\r\nactive=yes\r\n",
           b"fastclock\r\nclock=12:00:00\r\nspeed=-1\r\nactive=yes\r\n",
           b"fastclock\r\nclock=12:00:00\r\nspeed=1e400\r\nactive=yes\r\n",
           b"fastclock\r\nclock=12:00:00\r\nspeed=6\r\nactive=perhaps\r\n",
           b"fastclock\r\nname=" + b"x" * 1500 + b"\r\nclock=12:00:00\r\nspeed=6\r\nactive=yes\r\n",
           b"\xff\xfe\x00garbage\r\n", b"clock=12:00:00\r\n"]
    for i in range(n):
        s.sendto(bad[i % len(bad)], (GROUP, PORT))


if __name__ == "__main__":
    mode = sys.argv[1]
    if mode in ("strict", "lenient"):
        receive(strict if mode == "strict" else lenient, float(sys.argv[2]))
    elif mode == "station":
        station(sys.argv[2], sys.argv[3], float(sys.argv[4]), float(sys.argv[5]))
    elif mode == "burst":
        burst(int(sys.argv[2]))
