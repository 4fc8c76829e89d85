#!/usr/bin/env python3
"""Checks the layers: which folder may include and link which.

Reads the dependency table in docs/architecture.md (the section "Which
folder may use which") and fails on

- an #include "folder/..." that the including folder's row does not allow;
  a folder's tests/ and fuzz/ count as the folder, and may also use the
  folders of the row's test column and the test helpers (folder/tests/,
  folder/fuzz/) of every folder they may use; program code includes no
  test helper (a row marked "test code", the benchmarks, is test code
  throughout);
- an include of a folder of the source root that the table does not name;
- a CMakeLists.txt of the folder (its own, its tests' and its fuzz
  targets') that names a ratiomat_ library the folder may not use: the
  library's links, the LIBS of a suite or a fuzz target, the links of a
  plain add_executable (a suite that CTest does not run, a tool, a
  benchmark); and a library whose code includes a folder it does not link;
- a file of another folder that the folder's CMakeLists.txt files or its
  .qrc files take in, unless the table allows that folder (and, for a test
  helper in another folder's tests/ or fuzz/, only in test code): the
  sources of a fuzz target or a suite (../../core/decimal.cpp), a resource
  (qt_add_resources, set_source_files_properties, a .qrc entry), or any
  other path that leads out of the folder;
- a table that names no folder, a folder it names that does not exist, or
  a folder with no C++ file: a check that read nothing must not pass.

Prints one line per folder and "N passed, M failed" last; exits non-zero on
any failure. Needs only Python and the source tree (no git, no build).
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE_DOC = os.path.join("docs", "architecture.md")
TABLE_HEADING = "## Which folder may use which"
ROW = re.compile(r"^\|\s*`(\w+)/`([^|]*)\|(.*)\|(.*)\|\s*$")
FOLDER = re.compile(r"`(\w+)/`")
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/([^"]*)"')
TEST_DIRS = ("tests", "fuzz")


def read_table(failures):
    """{folder: (may use, tests may also use, all test code)} from the architecture doc."""
    path = os.path.join(ROOT, TABLE_DOC)
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
    except OSError as e:
        failures.append(f"{TABLE_DOC}: cannot be read ({e.strerror})")
        return {}
    table, inside = {}, False
    for line in lines:
        if line.startswith("## "):
            inside = line.strip() == TABLE_HEADING
            continue
        match = ROW.match(line) if inside else None
        if match:
            uses = set(FOLDER.findall(match.group(3)))
            test_uses = set(FOLDER.findall(match.group(4)))
            table[match.group(1)] = (uses, test_uses, "test code" in match.group(2))
    if not table:
        failures.append(f'{TABLE_DOC}: no dependency table under "{TABLE_HEADING}"')
    for folder, (uses, test_uses, _) in table.items():
        for used in sorted((uses | test_uses) - table.keys()):
            failures.append(f"{TABLE_DOC}: the row of {folder}/ names {used}/, which has no row")
    return table


def source_files(folder, all_test_code):
    """(path relative to the root, is test code) of the folder's C++ files."""
    found = []
    top = os.path.join(ROOT, folder)
    for base, dirs, files in os.walk(top):
        dirs.sort()
        rel = os.path.relpath(base, ROOT)
        is_test = all_test_code or any(part in TEST_DIRS for part in rel.split(os.sep)[1:])
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                found.append((os.path.join(rel, name), is_test))
    return found


def only(folders):
    return f"only {', '.join(sorted(folders))}" if folders else "no other folder"


def includes(path):
    with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, match.group(1), match.group(2)


def check_includes(folder, table, root_dirs, failures):
    """Checks one folder's includes; returns (files, folders its program code includes)."""
    uses, test_uses, all_test_code = table[folder]
    files = source_files(folder, all_test_code)
    used_by_program = set()
    for path, is_test in files:
        allowed = uses | {folder} | (test_uses if is_test else set())
        for number, used, rest in includes(path):
            where = f"{path}:{number}: #include \"{used}/{rest}\""
            if used not in table:
                if used in root_dirs:
                    failures.append(f"{where}: {used}/ has no row in the dependency table")
                continue
            if used not in allowed:
                failures.append(f"{where}: {folder}/{' tests' if is_test else ''} may use "
                                f"{only(allowed - {folder})}")
            elif rest.split("/")[0] in TEST_DIRS and not is_test:
                failures.append(f"{where}: program code includes a test helper")
            elif not is_test and used != folder:
                used_by_program.add(used)
    return files, used_by_program


SOURCE_VARIABLES = ("${CMAKE_CURRENT_SOURCE_DIR}/", "${CMAKE_CURRENT_LIST_DIR}/")
ROOT_VARIABLES = ("${CMAKE_SOURCE_DIR}/", "${PROJECT_SOURCE_DIR}/", "${Ratiomat_SOURCE_DIR}/")
QRC_FILE = re.compile(r"<file(?:\s[^>]*)?>([^<]+)</file>")


def cmake_calls(path):
    """(function, argument list) of every call in a CMakeLists.txt; none when it is missing."""
    try:
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            text = re.sub(r"#[^\n]*", "", f.read())
    except OSError:
        return []
    return [(m.group(1), m.group(2).split()) for m in re.finditer(r"\b(\w+)\s*\(([^)]*)\)", text)]


def linked_folders(args, table):
    return {a[len("ratiomat_"):] for a in args if a.startswith("ratiomat_") and a[len("ratiomat_"):] in table}


def build_files(folder):
    """(path, is test code) of the folder's CMakeLists.txt and .qrc files."""
    found = []
    for base, dirs, files in os.walk(os.path.join(ROOT, folder)):
        dirs.sort()
        rel = os.path.relpath(base, ROOT)
        is_test = any(part in TEST_DIRS for part in rel.split(os.sep)[1:])
        for name in sorted(files):
            if name == "CMakeLists.txt" or name.endswith(".qrc"):
                found.append((os.path.join(rel, name), is_test))
    return found


def paths_taken(path):
    """The files (relative to the root) that a CMakeLists.txt or .qrc file names by a path."""
    base = os.path.dirname(path)
    if path.endswith(".qrc"):
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
            names = [m.group(1).strip() for m in QRC_FILE.finditer(f.read())]
        return {os.path.normpath(os.path.join(base, name)) for name in names}
    taken = set()
    for _, args in cmake_calls(path):
        for arg in args:
            arg = arg.strip('"')
            if arg.startswith(ROOT_VARIABLES):
                taken.add(os.path.normpath(arg.split("/", 1)[1]))
                continue
            for variable in SOURCE_VARIABLES:
                if arg.startswith(variable):
                    arg = arg[len(variable):]
            if arg.startswith("../"):
                taken.add(os.path.normpath(os.path.join(base, arg)))
    return taken


def check_builds(folder, table, used_by_program, failures):
    """Checks what the folder's build files link and take from other folders."""
    uses, test_uses, all_test_code = table[folder]
    library = f"ratiomat_{folder}"
    links = {}
    for path, is_test in build_files(folder):
        is_test = is_test or all_test_code
        allowed = uses | (test_uses if is_test else set())
        what = f"{folder}/ tests" if is_test else f"{folder}/"
        calls = cmake_calls(path) if path.endswith("CMakeLists.txt") else []
        for function, args in calls:
            if function == "target_link_libraries" and args and args[0] == library:
                links.setdefault(path, set()).update(linked_folders(args[1:], table))
            for used in sorted(linked_folders(args, table) - allowed - {folder}):
                failures.append(f"{path}: {function}({args[0]} ...) uses ratiomat_{used}, which {what} may not use")
        for taken in sorted(paths_taken(path)):
            parts = taken.split(os.sep)
            used = parts[0]
            where = f"{path}: takes in {taken}"
            if used not in table:
                continue
            if used != folder and used not in allowed:
                failures.append(f"{where}: {what} may use {only(allowed)}")
            elif len(parts) > 2 and parts[1] in TEST_DIRS and not is_test:
                failures.append(f"{where}: program code takes in a test helper")
    cmake = os.path.join(folder, "CMakeLists.txt")
    linked = links.get(cmake, set())
    calls = cmake_calls(cmake)
    if any(function == "add_library" and args and args[0] == library for function, args in calls):
        for used in sorted(used_by_program - linked):
            failures.append(f"{cmake}: {folder}/ includes {used}/ but {library} does not link ratiomat_{used}")


def main():
    failures = []
    table = read_table(failures)
    root_dirs = {d for d in os.listdir(ROOT) if os.path.isdir(os.path.join(ROOT, d))}
    passed, failed = 0, (1 if failures else 0)
    for folder in sorted(table):
        before = len(failures)
        if folder not in root_dirs:
            failures.append(f"{folder}/ is in the dependency table but not in the source tree")
        else:
            files, used_by_program = check_includes(folder, table, root_dirs, failures)
            if not files:
                failures.append(f"{folder}/ has no C++ file to check")
            check_builds(folder, table, used_by_program, failures)
            print(f"{folder}/: {len(files)} files")
        if len(failures) == before:
            passed += 1
        else:
            failed += 1
    for failure in failures:
        print(f"FAILED: {failure}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
