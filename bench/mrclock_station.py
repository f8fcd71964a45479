#!/usr/bin/env python3
"""A command station for the MRclock benchmark, which also watches a follower.

  mrclock_station.py SECONDS SPEED INTERVAL PROBE
      sends the clock "Station" from 06:00:00 at SPEED (fast seconds per real
      second) every INTERVAL real seconds to 239.50.50.20:2000, and samples the
      follower's probe (see NetProbe.h) every 100 ms once it has the station's
      time; prints: samples median_lag worst_lag final_lag (fast seconds,
      station minus follower, the follower's running tick counted in)
"""
import mmap, os, socket, statistics, struct, sys, time

seconds, speed, interval, probe = float(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_TTL, 1)
origin, began = 6 * 3600, time.monotonic_ns()


def ideal(now):
    return origin + (now - began) / 1e9 * speed


def send():
    t = int(ideal(time.monotonic_ns())) % 86400
    s.sendto(("fastclock\r\nversion=2\r\nname=Station\r\nip-address=\r\nip-port=2000\r\ntext=\r\n"
              "clocktype=fastclock\r\nactive=yes\r\nspeed=%g\r\nclock=%02d:%02d:%02d\r\nweekday=\r\n"
              "interval=%d\r\n" % (speed, t // 3600, t // 60 % 60, t % 60, interval)).encode(),
             ("239.50.50.20", 2000))


def read(m):
    while True:
        a = struct.unpack_from("<q", m, 0)[0]
        v = struct.unpack_from("<8q", m, 0)
        if a == struct.unpack_from("<q", m, 0)[0] and a % 2 == 0:
            return v


def fast(v, now):
    _, zeit, t, ms, running = v[:5]
    # the exact tick of the follower: 1000 / speed ms, of which the probe has the rounded value
    return zeit + (min(1.0, (now - t) / 1e9 * speed) if running and ms > 0 else 0)


send()
next_send = time.monotonic() + interval
m = None
lags = []
end = time.monotonic() + seconds
while time.monotonic() < end:
    if time.monotonic() >= next_send:
        send()
        next_send += interval
    if m is None and os.path.exists(probe) and os.path.getsize(probe) >= 64:
        with open(probe, "r+b") as f:
            m = mmap.mmap(f.fileno(), 64)
    if m is not None:
        v = read(m)
        if v[4]:
            now = time.monotonic_ns()
            lags.append(ideal(now) - fast(v, now))
    time.sleep(0.1)
absolute = sorted(abs(x) for x in lags)
print(len(lags), f"{statistics.median(absolute):.3f}", f"{max(absolute):.3f}", f"{lags[-1]:.3f}")
