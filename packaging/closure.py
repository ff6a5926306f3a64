#!/usr/bin/env python3
"""What installing packages costs on a minimal Debian 12.

    packaging/closure.py [--recommends] PACKAGE_OR_DEB ...

The base is what `debootstrap --variant=minbase` puts on a disk: every
package of priority "required", apt, and what they depend on. apt resolves
against a dpkg status that holds exactly that base (taken from this
machine's package lists, so nothing is downloaded and the machine's own
installed set does not matter), in simulation. Printed: the number of
packages apt would add and the sum of their Installed-Size in MiB, the
named packages included. Without --recommends apt runs with
--no-install-recommends; with it, as a plain `apt install` does.
"""
import re
import subprocess
import sys
import tempfile
from pathlib import Path


def records(text):
    for block in text.split("\n\n"):
        fields = dict(re.findall(r"^([\w-]+): ?(.*(?:\n .*)*)", block, re.M))
        if "Package" in fields:
            yield fields, block.strip()


def simulate(status, names, recommends):
    cmd = ["apt-get", "-s", "-q", "-o", f"Dir::State::status={status}",
           "-o", "Debug::NoLocking=1", "install"]
    if not recommends:
        cmd.append("--no-install-recommends")
    out = subprocess.run(cmd + names, capture_output=True, text=True)
    if out.returncode != 0:
        sys.exit(f"apt-get could not resolve {' '.join(names)}:\n{out.stdout}{out.stderr}")
    return re.findall(r"^Inst (\S+) \(([^ ]+)", out.stdout, re.M)


def main(argv):
    recommends = "--recommends" in argv
    targets = [a for a in argv if a not in ("--recommends", "-v")]
    if not targets:
        sys.exit(__doc__)
    avail = subprocess.run(["apt-cache", "dumpavail"], capture_output=True, text=True, check=True).stdout
    newest = {}  # (name, version) -> record; apt picks the candidate itself
    required = set()
    for fields, block in records(avail):
        newest[(fields["Package"], fields["Version"])] = (fields, block)
        if fields.get("Priority") == "required":
            required.add(fields["Package"])

    with tempfile.TemporaryDirectory() as tmp:
        empty = Path(tmp, "empty")
        empty.write_text("")
        base = simulate(empty, sorted(required | {"apt"}), False)
        status = Path(tmp, "status")
        with status.open("w") as out:
            for name, version in base:
                fields, block = newest[(name.split(":")[0], version)]
                out.write(block.replace("\n", "\nStatus: install ok installed\n", 1) + "\n\n")
        added = simulate(status, [str(Path(t).resolve()) if t.endswith(".deb") else t for t in targets],
                         recommends)

    kib = 0
    for name, version in added:
        key = (name.split(":")[0], version)
        if key in newest:
            kib += int(newest[key][0].get("Installed-Size", 0))
        else:  # a local .deb
            deb = next(t for t in targets if t.endswith(".deb") and Path(t).name.startswith(key[0] + "_"))
            kib += int(subprocess.run(["dpkg-deb", "-f", deb, "Installed-Size"],
                                      capture_output=True, text=True, check=True).stdout)
    if "-v" in argv:
        print("\n".join(sorted(n for n, _ in added)))
    print(f"{len(added)} packages, {kib / 1024:.0f} MiB over a minimal Debian 12 "
          f"({len(base)} packages){' with recommends' if recommends else ''}")


if __name__ == "__main__":
    main(sys.argv[1:])
