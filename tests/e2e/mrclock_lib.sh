# shellcheck shell=bash
# Sourced first by the MRclock tests: the script runs again inside a private
# network namespace, where multicast never leaves the machine (loopback with
# multicast on and a route for 239.0.0.0/8), with a folder of X sockets of its
# own. Where no namespace can be made, the test is skipped (exit 77) with the
# reason.
if [ -z "${QUENDRASIL_NETNS:-}" ]; then
    command -v unshare >/dev/null 2>&1 && command -v ip >/dev/null 2>&1 || {
        echo "SKIP: unshare or ip is missing; multicast tests run only in a private network namespace" >&2
        exit 77
    }
    for how in "unshare -nm" "unshare -rnm"; do
        if $how true 2>/dev/null; then
            QUENDRASIL_NETNS=1 exec $how bash "$0" "$@"
        fi
    done
    echo "SKIP: no private network namespace can be made here (unshare -nm is not allowed);" \
        "multicast tests never use a real network" >&2
    exit 77
fi
{ ip link set lo up && ip link set lo multicast on && ip route add 239.0.0.0/8 dev lo; } || {
    echo "SKIP: the private network namespace has no multicast route" >&2
    exit 77
}
# An X server picks its display number by binding its sockets. In a network
# namespace of its own it binds a number that a server outside may use too,
# replacing that server's socket file in the shared /tmp/.X11-unix, and the
# one that ends first removes the file that the other's clients look for: a
# desktop started beside another test's found no display. Here the folder is
# the test's own.
mkdir -p -m 1777 /tmp/.X11-unix
mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix || {
    echo "SKIP: no private folder for the X server's sockets" >&2
    exit 77
}
