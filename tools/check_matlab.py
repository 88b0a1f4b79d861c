#!/usr/bin/env python3
"""Fails when a shipped m-file uses what only GNU Octave runs.

    tools/check_matlab.py [--mh-lint DIR] [FILE_OR_FOLDER ...]

Without arguments it checks every m-file the toolbox ships or tells users to
run: toolbox/rotkit (with private/), the help texts under src/, build_mex.m
and demo/. Two checks:

- Octave-only functions (rows, columns, printf, ...) and syntax (# comments,
  !, !=, ++, +=, endif and the other end... words, double-quoted strings,
  unwind_protect, chained indexing such as f(x)(2)), found by a small
  tokenizer that skips comments and strings. What only Octave may run stays
  behind an `exist('OCTAVE_VERSION', 'builtin')` test: a line that names
  OCTAVE_VERSION, and the branch it opens, are left out of the function
  check (the syntax must be MATLAB's everywhere).
- With --mh-lint DIR (a MISS_HIT checkout, a tool never shipped), its
  mh_lint --matlab 2017b over the same files: the syntax MATLAB rejects.
"""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Functions of Octave that MATLAB does not have (from Octave's manual), or
# that MATLAB gained only later than the oldest release the toolbox supports.
OCTAVE_ONLY = {
    "rows", "columns", "printf", "puts", "fputs", "fdisp", "fflush", "numfields", "ifelse", "merge",
    "print_usage", "isargout", "nthargout", "postpad", "prepad", "rindex", "substr", "lookup",
    "vec", "nproc", "unsetenv", "isdigit", "isalpha", "isupper", "islower", "toascii",
    "do_string_escapes", "undo_string_escapes", "issquare", "yes_or_no", "usleep", "unlink",
    "getpid", "getuid", "file_in_loadpath", "file_in_path", "canonicalize_file_name",
    "make_absolute_filename", "is_absolute_filename", "is_rooted_relative_filename", "argv",
    "program_name", "program_invocation_name", "pkg", "parcellfun", "pararrayfun", "mkoctfile",
    "octave_config_info", "OCTAVE_HOME", "fskipl", "ostrsplit", "strread", "textread", "sizemax",
    "page_screen_output", "crash_dumps_octave_core", "fork", "waitpid", "dup2", "kbhit",
    "stdout", "stderr", "stdin", "P_tmpdir", "cellslices", "struct_levels_to_print",
    "print_empty_dimensions", "split_long_rows", "output_precision", "fixed_point_format",
}
END_WORDS = {"endif", "endfor", "endwhile", "endswitch", "endfunction", "endparfor",
             "end_try_catch", "end_unwind_protect", "unwind_protect", "unwind_protect_cleanup"}


def tokens(text):
    """(line, kind, value) for code, with comments and strings stripped.
    Kinds: 'name', 'number', 'op', 'string', 'dqstring', 'hash', 'newline'."""
    line = 1
    i = 0
    n = len(text)
    prev = None  # the previous significant token, to tell ' transpose from a string
    in_block = 0
    at_line_start = True
    while i < n:
        c = text[i]
        if at_line_start:
            stripped = text[i:text.find("\n", i) if text.find("\n", i) >= 0 else n].strip()
            if stripped in ("%{", "#{"):
                in_block += 1
            if in_block:
                if stripped in ("%}", "#}"):
                    in_block -= 1
                if stripped.startswith("#"):
                    yield line, "hash", "#"
                end = text.find("\n", i)
                i = n if end < 0 else end
                continue
        at_line_start = False
        if c == "\n":
            yield line, "newline", "\n"
            line += 1
            i += 1
            at_line_start = True
            prev = None
            continue
        if c in " \t\r":
            i += 1
            continue
        if c == "%" or c == "#":
            if c == "#":
                yield line, "hash", "#"
            end = text.find("\n", i)
            i = n if end < 0 else end
            continue
        if text.startswith("...", i):
            end = text.find("\n", i)
            i = n if end < 0 else end + 1
            line += 1
            continue
        transpose = (i > 0 and text[i - 1] not in " \t,;([{=" and prev is not None
                     and (prev[0] in ("name", "number") or prev[1] in (")", "]", "}", "'", ".'")))
        if c == "'" and not transpose:
            j = i + 1
            while j < n and text[j] != "\n":
                if text[j] == "'":
                    if j + 1 < n and text[j + 1] == "'":
                        j += 2
                        continue
                    break
                j += 1
            yield line, "string", text[i:j + 1]
            prev = ("string", "'")
            i = j + 1
            continue
        if c == '"':
            j = i + 1
            while j < n and text[j] not in '"\n':
                j += 2 if text[j] == "\\" else 1
            yield line, "dqstring", text[i:j + 1]
            prev = ("string", '"')
            i = j + 1
            continue
        m = re.match(r"[A-Za-z_]\w*", text[i:])
        if m:
            prev = ("name", m.group(0))
            yield line, "name", m.group(0)
            i += len(m.group(0))
            continue
        m = re.match(r"(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?[ij]?", text[i:])
        if m:
            prev = ("number", m.group(0))
            yield line, "number", m.group(0)
            i += len(m.group(0))
            continue
        for op in ("!=", "~=", "==", "<=", ">=", "&&", "||", "++", "--", "+=", "-=", "*=", "/=", "^=",
                   ".**", "**", ".'", ".*", "./", ".\\", ".^", "\\"):
            if text.startswith(op, i):
                break
        else:
            op = c
        prev = ("op", op)
        yield line, "op", op
        i += len(op)


def octave_branch_lines(text):
    """Lines inside an if-branch whose condition names OCTAVE_VERSION: the
    Octave-only code the check allows functions in."""
    allowed = set()
    lines = text.split("\n")
    depth_stack = []
    opener = re.compile(r"^\s*(if|for|while|switch|try|parfor|function)\b")
    for number, raw in enumerate(lines, 1):
        code = raw.split("%")[0]
        if depth_stack and depth_stack[-1][1]:
            allowed.add(number)
        if re.match(r"^\s*(else|elseif)\b", code) and depth_stack and depth_stack[-1][0] == "octave-if":
            depth_stack[-1] = ("octave-if", False)
        if "OCTAVE_VERSION" in code:
            allowed.add(number)
            if re.match(r"^\s*if\b", code) and not re.search(r"\bend\s*;?\s*$", code):
                negated = re.search(r"~\s*exist|exist\([^)]*\)\s*==\s*0", code)
                depth_stack.append(("octave-if", not negated))
                continue
        if opener.match(code) and not re.search(r"\bend\s*;?\s*$", code):
            if re.match(r"^\s*function\b", code):
                continue  # function ... end pairs are not tracked; they nest nothing here
            depth_stack.append(("block", depth_stack[-1][1] if depth_stack else False))
        elif re.match(r"^\s*end\b", code) and depth_stack:
            depth_stack.pop()
    return allowed


def check_file(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    problems = []
    allowed = octave_branch_lines(text)
    assigned = set(re.findall(r"^\s*(\w+)\s*(?:\([^)]*\))?\s*=(?!=)", text, re.M))
    for outs in re.findall(r"^\s*\[([^\]]*)\]\s*=(?!=)", text, re.M):
        assigned.update(re.findall(r"\w+", outs))
    for sig in re.findall(r"^\s*function\b([^\n]*)", text, re.M):
        assigned.update(re.findall(r"\w+", sig.split("=")[-1].split("(", 1)[-1]) if "(" in sig else [])
    toks = list(tokens(text))
    for k, (line, kind, value) in enumerate(toks):
        before = toks[k - 1] if k > 0 else (0, "newline", "")
        after = toks[k + 1] if k + 1 < len(toks) else (0, "newline", "")
        if kind == "hash":
            problems.append((line, "a # comment (MATLAB comments start with %)"))
        elif kind == "dqstring":
            problems.append((line, "a double-quoted string %s (MATLAB: single quotes for char)" % value))
        elif kind == "op" and value in ("!", "!="):
            problems.append((line, "'%s' (MATLAB: ~ and ~=)" % value))
        elif kind == "op" and value in ("++", "+=", "-=", "*=", "/=", "^=", "**", ".**"):
            problems.append((line, "the operator '%s'" % value))
        elif kind == "op" and value == "--" and before[1] in ("name", "number") or \
                kind == "op" and value == "--" and before[2] in (")", "]", "}"):
            problems.append((line, "the operator '--'"))
        elif kind == "op" and value == "\\" and after[1] == "newline":
            problems.append((line, "a \\ line continuation (MATLAB: ...)"))
        elif kind == "name" and value in END_WORDS and before[2] != ".":
            problems.append((line, "the keyword '%s' (MATLAB: end)" % value))
        elif kind == "name" and value in OCTAVE_ONLY and before[2] != "." and value not in assigned \
                and line not in allowed and not (before[1] == "string" or after[2] == "="):
            problems.append((line, "the Octave-only function '%s'" % value))
        elif kind == "op" and value in ("(", "{") and before[2] == ")" and toks[k - 1][0] == line:
            problems.append((line, "indexing the result of a call or an index, '%s%s' (MATLAB rejects it)"
                             % (before[2], value)))
    return problems


def shipped_files():
    found = [os.path.join(ROOT, "build_mex.m")]
    for base in ("toolbox", "src", "demo"):
        for folder, _, names in os.walk(os.path.join(ROOT, base)):
            found += [os.path.join(folder, name) for name in sorted(names) if name.endswith(".m")]
    return sorted(found)


def main(argv):
    mh_lint = None
    if len(argv) >= 2 and argv[0] == "--mh-lint":
        mh_lint = argv[1]
        argv = argv[2:]
    files = []
    for arg in argv or []:
        if os.path.isdir(arg):
            for folder, _, names in os.walk(arg):
                files += [os.path.join(folder, n) for n in sorted(names) if n.endswith(".m")]
        else:
            files.append(arg)
    files = files or shipped_files()
    failures = 0
    for path in files:
        for line, what in check_file(path):
            print("%s:%d: %s" % (os.path.relpath(path, ROOT), line, what))
            failures += 1
    if mh_lint:
        env = dict(os.environ, PYTHONPATH=mh_lint)
        run = subprocess.run([sys.executable, os.path.join(mh_lint, "mh_lint"), "--matlab", "2017b",
                              "--brief"] + files, env=env, capture_output=True, text=True)
        output = run.stdout + run.stderr
        errors = [l for l in output.splitlines() if re.search(r"\b(error|lex error)\b", l)]
        if errors or run.returncode != 0:
            print(output)
            failures += max(1, len(errors))
        else:
            print("mh_lint --matlab 2017b: %d files, no syntax MATLAB rejects" % len(files))
    if failures:
        print("%d uses of what only Octave runs, in %d files checked" % (failures, len(files)))
        return 1
    print("MATLAB check: %d m-files, nothing only Octave runs" % len(files))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
