#!/usr/bin/env python3
"""clang-tidy over the translation units of one build folder, remembering the clean ones.

Usage: tidy-cached.py <build folder> <regex of the sources to check> <jobs>

A unit is checked again unless it passed before with the same clang-tidy, the same .clang-tidy
files, the same compile command and the same bytes in its source and in every file the last build
of its object read (ninja's dependency log). So every unit is still checked whenever anything it
sees has changed; an unchanged one costs a hash instead of a parse. A unit whose object was never
built has no dependency list and is always checked. Paths inside the tree are keyed relative to
it, so clones in other folders share the clean results. The clean results live in
$TUMO_TIDY_CACHE (default: ~/.cache/tumo/clang-tidy); the findings are printed and fail the run.
"""

import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys
from pathlib import Path

# Lines of clang-tidy's output that are no finding: counts of what it hid in Qt's headers.
NOISE = re.compile(r"^(\d+ warnings?( and \d+ errors?)? generated\.|Suppressed \d+ warnings? |"
                   r"Use -header-filter=)")
COLOUR = re.compile(r"\x1b\[[0-9;]*m")


def file_digest(path, memo):
    if path not in memo:
        try:
            memo[path] = hashlib.sha256(Path(path).read_bytes()).hexdigest()
        except OSError:
            memo[path] = "missing"
    return memo[path]


def dependency_log(build):
    """Object file (as ninja names it) -> the files its last build read, absolute."""
    out = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True,
                         check=False).stdout
    deps, current = {}, None
    for line in out.splitlines():
        if line and not line[0].isspace():
            current = line.split(":", 1)[0] if "(VALID)" in line else None
            if current:
                deps[current] = []
        elif current and line.strip():
            deps[current].append(os.path.normpath(os.path.join(build, line.strip())))
    return deps


def object_of(command):
    args = shlex.split(command)
    return args[args.index("-o") + 1] if "-o" in args else None


def main():
    build, pattern, jobs = sys.argv[1], re.compile(sys.argv[2]), int(sys.argv[3])
    root = Path.cwd()
    cache = Path(os.environ.get("TUMO_TIDY_CACHE",
                                Path.home() / ".cache" / "tumo" / "clang-tidy"))
    cache.mkdir(parents=True, exist_ok=True)
    units = [u for u in json.loads(Path(build, "compile_commands.json").read_text())
             if pattern.search(u["file"])]
    deps = dependency_log(build)
    memo = {}

    # A clone elsewhere (CI's, another work tree) holds the same units under another folder: the
    # key names files by their place in the tree, so a unit that passed there counts here too.
    def portable(text):
        return text.replace(str(root), "<tree>")

    common = hashlib.sha256()
    common.update(subprocess.run(["clang-tidy", "--version"], capture_output=True,
                                 check=True).stdout)
    configs = subprocess.run(["git", "ls-files", "--", ".clang-tidy", "*/.clang-tidy"],
                             capture_output=True, text=True, check=True).stdout.split()
    for config in sorted(configs):
        common.update(config.encode() + (root / config).read_bytes())

    todo = []
    for unit in units:
        seen = deps.get(object_of(unit["command"]) or "")
        if seen is None:
            todo.append((unit["file"], None))
            continue
        key = common.copy()
        key.update(portable(unit["command"]).encode())
        for path in [unit["file"]] + sorted(seen):
            key.update(f"{portable(path)}\0{file_digest(path, memo)}\0".encode())
        stamp = cache / key.hexdigest()
        if not stamp.exists():
            todo.append((unit["file"], stamp))

    def check(item):
        source, stamp = item
        # The compile commands may come from gcc: a warning flag only gcc knows is no error.
        run = subprocess.run(["clang-tidy", "-p", build, "--quiet",
                              "--extra-arg=-Wno-unknown-warning-option", source],
                             capture_output=True, text=True, check=False)
        text = COLOUR.sub("", run.stdout + run.stderr)
        findings = "\n".join(l for l in text.splitlines() if not NOISE.match(l))
        if run.returncode == 0 and stamp is not None:
            stamp.touch()
        return run.returncode, findings

    failed = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, jobs)) as pool:
        for code, findings in pool.map(check, todo):
            if findings.strip():
                print(findings, flush=True)
            failed += code != 0
    print(f"clang-tidy {build}: {len(units)} units, {len(units) - len(todo)} unchanged since "
          f"they passed, {len(todo)} checked, {failed} with findings")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
