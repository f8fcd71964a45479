#!/usr/bin/env python3
"""Reads the fast-time probes of a master and its followers (see NetProbe.h).

  netsample.py lag SECONDS PERIOD_MS MASTER FOLLOWER...
      samples all probes at the same instant every PERIOD_MS for SECONDS and
      prints: samples median_lag worst_lag worst_shown_difference
      (lags in fast seconds: the fast time with the fraction of the running
      tick, master minus follower; shown difference: whole fast seconds)
  netsample.py catchup LIMIT_S SINCE_NS RECEIVED[,RECEIVED...] MASTER FOLLOWER...
      waits until every follower has received more than its RECEIVED states
      and is within one fast second of the master; prints the seconds from
      SINCE_NS until every program was up, then until each follower was so
  netsample.py received PROBE
      prints the number of states the probe's program received
  netsample.py running PROBE
      succeeds when the probe's clock runs
"""
import mmap, os, statistics, struct, sys, time


def opened(path):
    with open(path, "r+b") as f:
        return mmap.mmap(f.fileno(), 64)


def read(m):
    while True:
        a = struct.unpack_from("<q", m, 0)[0]
        v = struct.unpack_from("<8q", m, 0)
        b = struct.unpack_from("<q", m, 0)[0]
        if a == b and a % 2 == 0:
            return v


def fast(v, now):
    """The fast time at now, with the fraction of the tick running."""
    _, zeit, t, interval, running = v[:5]
    if running and interval > 0:
        return zeit + min(1.0, (now - t) / 1e6 / interval)
    return float(zeit)


def lag(args):
    seconds, period = float(args[0]), float(args[1]) / 1000
    maps = [opened(p) for p in args[2:]]
    lags, signed, shown = [], [], 0
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        # one snapshot: nothing changed while it was taken
        values = [read(m) for m in maps]
        now = time.monotonic_ns()
        if [read(m) for m in maps] != values:
            continue
        for v in values[1:]:
            signed.append(fast(values[0], now) - fast(v, now))
            lags.append(abs(signed[-1]))
            shown = max(shown, abs(values[0][1] - v[1]))
        time.sleep(period)
    lags.sort()
    print(f"signed: min {min(signed):.3f} max {max(signed):.3f}", file=sys.stderr)
    print(len(lags), f"{statistics.median(lags):.3f}", f"{max(lags):.3f}", shown, f"{lags[int(len(lags) * 0.99)]:.3f}")


def catchup(args):
    limit, since, received = float(args[0]), int(args[1]), [int(r) for r in args[2].split(",")]
    paths = args[3:]
    maps = [None for p in paths]
    up = None  # when every program was up (its probe attached)
    done = [None for p in paths[1:]]
    end = time.monotonic() + limit
    while time.monotonic() < end and not all(done):
        maps = [m or (opened(p) if os.path.exists(p) and os.path.getsize(p) >= 64 else None)
                for m, p in zip(maps, paths)]
        if all(maps):
            now = time.monotonic_ns()
            up = up or now
            values = [read(m) for m in maps]
            for i, v in enumerate(values[1:]):
                if not done[i] and v[5] > received[min(i, len(received) - 1)] and \
                        abs(fast(values[0], now) - fast(v, now)) <= 1:
                    done[i] = now
        time.sleep(0.002)
    print(f"{((up or since) - since) / 1e9:.2f}", *[f"{(d - since) / 1e9:.2f}" if d else "never" for d in done])


def received(args):
    print(read(opened(args[0]))[5])


def running(args):
    sys.exit(0 if os.path.exists(args[0]) and os.path.getsize(args[0]) >= 64 and read(opened(args[0]))[4] else 1)


{"lag": lag, "catchup": catchup, "received": received, "running": running}[sys.argv[1]](sys.argv[2:])
