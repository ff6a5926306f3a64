#!/usr/bin/python3
"""Checks that every Debian package the build and the tests use is one that
scripts/setup.sh installs, or one that those pull in, or one that every
Debian system has. A machine where earlier work installed more packages
cannot see a missing entry; this check sees it anyway.

  package_guard.py run LIST_FILE -- COMMAND ...
      runs COMMAND and watches every file it (and anything it starts) opens
      or executes below /usr, then checks the owners of those files
  package_guard.py check LIST_FILE USED_FILE
      the check alone, on a file of paths (one a line)

LIST_FILE names the allowed packages, one a line. Exit status: COMMAND's
own when it failed, else 1 when a package outside the allowed closure was
used, else 0. Needs root (fanotify, a mount namespace) for `run`.

How the watch is kept to COMMAND alone: the program moves into a mount
namespace of its own, binds /usr onto itself there and marks only that
mount with fanotify. Processes outside the namespace reach /usr through the
system's mount, which is not marked, so a build running beside this one on
the same machine does not count.
"""
import ctypes
import os
import select
import struct
import subprocess
import sys

WATCHED = "/usr"
CLONE_NEWNS = 0x00020000
FAN_CLOEXEC, FAN_NONBLOCK, FAN_UNLIMITED_QUEUE, FAN_CLASS_NOTIF = 0x1, 0x2, 0x10, 0x0
FAN_MARK_ADD, FAN_MARK_MOUNT = 0x1, 0x10
FAN_OPEN, FAN_OPEN_EXEC = 0x20, 0x1000
AT_FDCWD = -100
EVENT = struct.Struct("=IBBHQii")  # struct fanotify_event_metadata
# Folders that Debian's merged /usr reaches through links from the root
# (dpkg still lists some files under their old names there).
MERGED = ("bin", "sbin", "lib", "lib32", "lib64", "libx32")
DPKG = "/var/lib/dpkg"
EXECUTED = "exec "  # marks a file that was run, in the list of used files


def needed(path, executed):
    """Whether using this file means the work needs its package. Programs
    that run, and what building reads: headers, pkg-config and CMake package
    files, static libraries. Everything else is also opened where it happens
    to be installed, without being needed: plug-in folders read whole (GIO
    modules, icon themes), Python's scan of every package's metadata,
    scripts that bash-completion sources, debug information, name-service
    modules. Those are reported, not judged."""
    return (executed or path.startswith("/usr/include/") or path.endswith((".pc", ".a"))
            or "/cmake/" in path or "/cmake-" in path)


def fail(message):
    print(f"package guard: {message}", file=sys.stderr)
    sys.exit(2)


def watch(command, used_path):
    libc = ctypes.CDLL(None, use_errno=True)
    libc.fanotify_mark.argtypes = [ctypes.c_int, ctypes.c_uint, ctypes.c_uint64, ctypes.c_int, ctypes.c_char_p]
    if libc.unshare(CLONE_NEWNS) != 0:
        fail(f"no mount namespace of its own: {os.strerror(ctypes.get_errno())}")
    # Keep the bind below from showing in the system's namespace; in a chroot
    # the root is no mount of its own and stays as it is.
    subprocess.run(["mount", "--make-rprivate", "/"], stderr=subprocess.DEVNULL)
    if subprocess.run(["mount", "--bind", WATCHED, WATCHED]).returncode != 0:
        fail(f"cannot bind {WATCHED} in its own namespace")
    fan = libc.fanotify_init(FAN_CLASS_NOTIF | FAN_CLOEXEC | FAN_NONBLOCK | FAN_UNLIMITED_QUEUE,
                             os.O_RDONLY | os.O_LARGEFILE | os.O_CLOEXEC)
    if fan < 0:
        fail(f"fanotify is not available: {os.strerror(ctypes.get_errno())}")
    if libc.fanotify_mark(fan, FAN_MARK_ADD | FAN_MARK_MOUNT, FAN_OPEN | FAN_OPEN_EXEC, AT_FDCWD,
                          WATCHED.encode()) != 0:
        fail(f"cannot watch {WATCHED}: {os.strerror(ctypes.get_errno())}")
    used = {}  # path -> whether it was executed

    def drain():
        while True:
            try:
                data = os.read(fan, 1 << 16)
            except BlockingIOError:
                return
            at = 0
            while at + EVENT.size <= len(data):
                length, _, _, _, mask, fd, _ = EVENT.unpack_from(data, at)
                if fd >= 0:
                    try:
                        path = os.readlink(f"/proc/self/fd/{fd}")
                        used[path] = used.get(path, False) or bool(mask & FAN_OPEN_EXEC)
                    except OSError:
                        pass
                    os.close(fd)
                at += length

    child = subprocess.Popen(command)
    while child.poll() is None:
        select.select([fan], [], [], 0.5)
        drain()
    drain()
    with open(used_path, "w") as out:
        out.writelines(f"{EXECUTED if executed else ''}{p}\n" for p, executed in sorted(used.items()))
    return child.returncode


def owners():
    """Every file dpkg knows, with its package."""
    owner = {}
    info = f"{DPKG}/info"
    for name in os.listdir(info):
        if name.endswith(".list"):
            package = name[:-5].split(":")[0]
            with open(f"{info}/{name}", encoding="utf-8", errors="replace") as f:
                for line in f:
                    owner.setdefault(line.rstrip("\n"), package)
    return owner


def installed():
    """Installed packages: name -> (essential or required, dependency groups, what it provides)."""
    packages = {}
    with open(f"{DPKG}/status", encoding="utf-8", errors="replace") as f:
        for record in f.read().split("\n\n"):
            fields, key = {}, None
            for line in record.splitlines():
                if line[:1] in (" ", "\t") and key:
                    fields[key] += " " + line.strip()
                elif ":" in line:
                    key, _, value = line.partition(":")
                    fields[key] = value.strip()
            if "Package" not in fields or not fields.get("Status", "").endswith(" installed"):
                continue
            groups = []
            for field in ("Pre-Depends", "Depends"):
                for group in filter(None, (g.strip() for g in fields.get(field, "").split(","))):
                    groups.append([alt.split()[0].split(":")[0] for alt in group.split("|")])
            provides = [p.split()[0] for p in fields.get("Provides", "").split(",") if p.strip()]
            base = fields.get("Essential") == "yes" or fields.get("Priority") == "required"
            packages[fields["Package"]] = (base, groups, provides)
    return packages


def closure(named, packages):
    """The named packages, every system's base, and all they depend on, as installed here."""
    providers = {}
    for name, (_, _, provides) in packages.items():
        for p in provides:
            providers.setdefault(p, []).append(name)
    todo = list(named) + [n for n, (base, _, _) in packages.items() if base] + ["apt"]
    seen = set()
    while todo:
        name = todo.pop()
        for candidate in [name] + providers.get(name, []):
            if candidate in packages and candidate not in seen:
                seen.add(candidate)
                for group in packages[candidate][1]:
                    todo.extend(group)  # any alternative may be the one a fresh machine gets
    return seen


def check(list_path, used_path):
    with open(list_path) as f:
        named = [line.strip() for line in f if line.strip()]
    with open(used_path) as f:
        used = [(line[len(EXECUTED):].rstrip("\n"), True) if line.startswith(EXECUTED) else (line.rstrip("\n"), False)
                for line in f if line.strip()]
    packages = installed()
    missing_from_system = [n for n in named if n not in packages]
    if missing_from_system:
        fail(f"listed but not installed here: {' '.join(missing_from_system)}")
    allowed = closure(named, packages)
    owner = owners()
    outside, opened_only, unowned = {}, {}, 0
    for path, executed in used:
        if not os.path.isfile(path):
            continue
        package = owner.get(path)
        parts = path.split("/", 3)
        if package is None and len(parts) > 2 and parts[2] in MERGED:
            package = owner.get("/" + path.split("/", 2)[2])
        if package is None:
            unowned += 1  # caches and files made at install time
        elif package not in allowed:
            (outside if needed(path, executed) else opened_only).setdefault(package, path)
    print(f"package guard: {len(used)} files used, {unowned} of no package, "
          f"{len(allowed)} packages allowed ({len(named)} named)")
    if opened_only:
        print(f"package guard: opened where installed, not needed: {' '.join(sorted(opened_only))}")
    for package, path in sorted(outside.items()):
        print(f"package guard: {package} is used (e.g. {path}) but no list of scripts/setup.sh "
              f"names it or pulls it in", file=sys.stderr)
    return 1 if outside else 0


def main(argv):
    if len(argv) >= 4 and argv[1] == "run" and argv[3] == "--":
        used = argv[2] + ".used"
        status = watch(argv[4:], used)
        if status != 0:
            return status
        return check(argv[2], used)
    if len(argv) == 4 and argv[1] == "check":
        return check(argv[2], argv[3])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
