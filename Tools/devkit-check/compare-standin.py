#!/usr/bin/env python3
"""Lists every declaration of the stand-in (Host/) that the add-on (Src/) names, and compares its
shape with the real DevKit's declaration of the same qualified name.

    Tools/devkit-check/compare-standin.py [--platform win|mac|linux] [--out FILE] [--build DIR]
                                          [--exceptions FILE] [DEVKIT [PROJECT]]

DEVKIT is the DevKit's Support folder (with Inc/ and Modules/) or a folder above it (default: the
environment's AC_API_DEVKIT_DIR, else PROJECT/.deps/archicad-devkit-29.3100), PROJECT the project's
checkout (default: the one this script is in). The add-on's TUs are parsed with the stand-in build's
own flags (DIR/compile_commands.json with --build; else Host/<module> for every module folder, as
Host/CMakeLists.txt sets them up); one TU of every DevKit header the add-on includes is parsed with
check.sh's flags for the platform. Needs libclang's Python bindings (Debian: python3-clang-14) and what
check.sh needs; DEPS and RAPIDJSON_INCLUDE as for check.sh. The table goes to FILE (default: stdout).

With --exceptions FILE (docs/devkit-headers.md), it checks instead of listing: it prints every
"differs", "missing" and "int-spelling" row whose name and kind the table of FILE's section
"Deliberate differences" does not list, and every listed name that no longer differs, and exits 1 if
there is one (the test StandInDeclaresWhatTheDevKitDeclares). Exit status 2: it could not run (it says
why), or a side did not parse, which would leave names out.

Each line of the result: status, kind, qualified name, the stand-in's shape and place, the real shape
and place, and the add-on's first use. Statuses: "missing" (no declaration of that name in the real
headers, its base classes or the record a typedef of its scope names), "differs" (found, another
shape), "same", "same-name" (a member function of a class template: compared by name only). Shapes are canonical types: a field's type, a
function's type (each overload; "differs" when no real overload has the stand-in's parameter types),
an enumerator's value and enum, a macro's tokens.
"""
import argparse
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
from collections import defaultdict

sys.path.insert(0, "/usr/lib/python3/dist-packages")
try:
    import clang.cindex as ci  # noqa: E402
except ImportError as e:
    print("devkit-check: no libclang Python bindings (%s): the comparison needs python3-clang-14" % e,
          file=sys.stderr)
    sys.exit(2)

for lib in ("/usr/lib/llvm-14/lib/libclang-14.so.1", "/usr/lib/llvm-14/lib/libclang.so.1"):
    if os.path.exists(lib):
        ci.Config.set_library_file(lib)
        break

K = ci.CursorKind
SCOPES = {K.NAMESPACE, K.STRUCT_DECL, K.CLASS_DECL, K.UNION_DECL, K.CLASS_TEMPLATE,
          K.CLASS_TEMPLATE_PARTIAL_SPECIALIZATION, K.ENUM_DECL}
FUNCS = {K.FUNCTION_DECL, K.CXX_METHOD, K.CONSTRUCTOR, K.DESTRUCTOR, K.CONVERSION_FUNCTION,
         K.FUNCTION_TEMPLATE}
DECL_KINDS = SCOPES | FUNCS | {K.FIELD_DECL, K.VAR_DECL, K.ENUM_CONSTANT_DECL, K.TYPEDEF_DECL,
                               K.TYPE_ALIAS_DECL, K.TYPE_ALIAS_TEMPLATE_DECL}
SKIP_BODY = {K.COMPOUND_STMT}


def qualified(c):
    parts = []
    cur = c
    while cur is not None and cur.kind != K.TRANSLATION_UNIT:
        if cur.kind == K.ENUM_DECL and not cur.is_scoped_enum() and cur != c:
            cur = cur.semantic_parent  # an unscoped enumerator lives in the enum's scope
            continue
        name = cur.spelling
        if cur.kind == K.NAMESPACE and not name:
            name = "(anonymous)"
        elif not name and cur.kind in (K.STRUCT_DECL, K.UNION_DECL, K.CLASS_DECL):
            # "typedef struct { ... } API_PgonType;" names the struct; a member's unnamed record stays unnamed.
            ts = cur.type.spelling
            name = "(unnamed)" if "(unnamed" in ts or "(anonymous" in ts else ts.split("::")[-1]
        if cur.kind in (K.CONSTRUCTOR, K.DESTRUCTOR, K.CLASS_TEMPLATE):
            name = re.sub(r"<.*>$", "", name)  # "Array<T>" for a class template's constructor
        if name:
            parts.append(name)
        cur = cur.semantic_parent
    return "::".join(reversed(parts))


def canon(t):
    text = re.sub(r"\s+", " ", t.get_canonical().spelling)
    # An unnamed record is spelt with its place ("(unnamed union at APIdefs_Elements.h:9489:2)"); its
    # members are compared one by one.
    return re.sub(r"\((unnamed|anonymous) (struct|union|class|enum) at [^)]*\)", r"(\1 \2)", text)


def shape(c):
    k = c.kind
    if k in (K.FIELD_DECL, K.VAR_DECL):
        return canon(c.type) + (" (static)" if k == K.VAR_DECL and c.semantic_parent.kind in SCOPES else "")
    if k in FUNCS:
        s = canon(c.type) if k != K.FUNCTION_TEMPLATE else c.displayname
        if k == K.CXX_METHOD:
            if c.is_static_method():
                s = "static " + s
        return s
    if k == K.ENUM_CONSTANT_DECL:
        return "%s = %d" % (c.semantic_parent.spelling or "(anonymous enum)", c.enum_value)
    if k in (K.TYPEDEF_DECL, K.TYPE_ALIAS_DECL):
        return canon(c.underlying_typedef_type)
    if k == K.MACRO_DEFINITION:
        toks = [t.spelling for t in c.get_tokens()][1:]
        return " ".join(toks)
    if k in SCOPES:
        return k.name.replace("_DECL", "").lower()
    return k.name.lower()


def place(c, roots):
    loc = c.location
    if loc.file is None:
        return "?"
    name = os.path.realpath(loc.file.name)
    for prefix, label in roots:
        if name.startswith(prefix + "/"):
            name = label + name[len(prefix):]
            break
    return "%s:%d" % (name, loc.line)


def kind_name(c):
    if c.kind == K.MACRO_DEFINITION:
        return "macro"
    return {K.FIELD_DECL: "field", K.VAR_DECL: "variable", K.ENUM_CONSTANT_DECL: "enumerator",
            K.TYPEDEF_DECL: "typedef", K.TYPE_ALIAS_DECL: "alias", K.CXX_METHOD: "method",
            K.CONSTRUCTOR: "constructor", K.FUNCTION_DECL: "function", K.FUNCTION_TEMPLATE: "function template",
            K.CONVERSION_FUNCTION: "conversion", K.ENUM_DECL: "enum", K.STRUCT_DECL: "struct",
            K.CLASS_DECL: "class", K.CLASS_TEMPLATE: "class template", K.NAMESPACE: "namespace",
            K.UNION_DECL: "union", K.TYPE_ALIAS_TEMPLATE_DECL: "alias template",
            K.DESTRUCTOR: "destructor"}.get(c.kind, c.kind.name.lower())


def decl_of(c):
    d = c.referenced
    if d is None:
        return None
    if d.kind in (K.CLASS_DECL, K.STRUCT_DECL) and d.get_definition() is not None:
        d = d.get_definition()
    # A member of a class template's instance: name the template's member.
    t = ci.conf.lib.clang_getSpecializedCursorTemplate(d)
    if t is not None and t.kind in DECL_KINDS and t != d:
        d = t
    elif d.kind == K.FIELD_DECL and d.semantic_parent is not None:
        # libclang names no template for a field (Geometry::Vector3<double>::x): find it by name.
        t = ci.conf.lib.clang_getSpecializedCursorTemplate(d.semantic_parent)
        if t is not None and t.kind in (K.CLASS_TEMPLATE, K.CLASS_TEMPLATE_PARTIAL_SPECIALIZATION):
            d = next((f for f in t.get_children() if f.kind == K.FIELD_DECL and f.spelling == d.spelling), d)
    return d


def in_template(d):
    """Whether d is a member of a class template (or of one of its instances)."""
    p = d.semantic_parent
    if p is None:
        return False
    if p.kind in (K.CLASS_TEMPLATE, K.CLASS_TEMPLATE_PARTIAL_SPECIALIZATION):
        return True
    t = ci.conf.lib.clang_getSpecializedCursorTemplate(p)
    return t is not None and t.kind in (K.CLASS_TEMPLATE, K.CLASS_TEMPLATE_PARTIAL_SPECIALIZATION)


def implicit(d):
    # Members the compiler declares (copy constructors, assignments): they sit where their class's name is.
    return d.kind in (K.CONSTRUCTOR, K.CXX_METHOD, K.DESTRUCTOR) and d.semantic_parent is not None and \
        d.location == d.semantic_parent.location


def sanitize(text, roots):
    for prefix, label in roots:
        text = text.replace(prefix + "/", label + "/")
    return text


def die(message):
    print("devkit-check: " + message, file=sys.stderr)
    sys.exit(2)


def find_devkit(folder):
    """The DevKit's Support folder: folder itself or the first one below holding Inc/ACAPinc.h."""
    if not os.path.isdir(folder):
        die("no DevKit folder %s: Tools/setup.sh unpacks it from archicad-devkit-29.3100-headers.tar.gz in "
            "../shared/deps beside the checkout; or name another (AC_API_DEVKIT_DIR, or the argument)" % folder)
    for dp, dirs, _ in os.walk(folder):
        if os.path.isfile(os.path.join(dp, "Inc", "ACAPinc.h")):
            return os.path.realpath(dp)
        if dp[len(folder):].count(os.sep) >= 3:
            dirs[:] = []
    die("no Inc/ACAPinc.h in or below %s: not an Archicad API DevKit" % folder)


def build_flags(build, project):
    """The stand-in build's include folders and defines per source file, from compile_commands.json."""
    path = os.path.join(build, "compile_commands.json")
    if not os.path.isfile(path):
        die("no %s: configure the build first (cmake -S . -B build)" % path)
    flags = {}
    with open(path) as f:
        entries = json.load(f)
    for e in entries:
        words = e["arguments"] if "arguments" in e else shlex.split(e["command"])
        where = e.get("directory", project)
        kept = []
        i = 1
        while i < len(words):
            w = words[i]
            if w in ("-I", "-isystem", "-iquote", "-include", "-D", "-U") and i + 1 < len(words):
                value = words[i + 1]
                if w in ("-I", "-isystem", "-iquote", "-include"):
                    value = os.path.join(where, value)
                kept += [w, value]
                i += 2
                continue
            if w.startswith("-I") or w.startswith("-iquote"):
                flag = "-I" if w.startswith("-I") else "-iquote"
                kept.append(flag + os.path.join(where, w[len(flag):]))
            elif w.startswith(("-D", "-U", "-std=")):
                kept.append(w)
            i += 1
        flags[os.path.realpath(os.path.join(where, e["file"]))] = kept
    return flags


def read_exceptions(path):
    """The rows (name, kind, reason, line) of the table in the section "Deliberate differences"."""
    try:
        with open(path) as f:
            lines = f.read().splitlines()
    except OSError as e:
        die("cannot read the list of deliberate differences: %s" % e)
    start = next((i for i, line in enumerate(lines)
                  if re.fullmatch(r"#+\s*Deliberate differences\s*", line.strip())), None)
    if start is None:
        die("%s has no section \"Deliberate differences\"" % path)
    header = None
    rows = []
    for number, line in enumerate(lines[start + 1:], start + 2):
        text = line.strip()
        if text.startswith("#"):
            break
        if not text.startswith("|"):
            continue
        text = text[1:-1] if text.endswith("|") and not text.endswith("\\|") else text[1:]
        cells = [c.strip().replace("\\|", "|") for c in re.split(r"(?<!\\)\|", text)]
        cells = [c[1:-1].strip() if len(c) >= 2 and c[0] == c[-1] == "`" else c for c in cells]
        if header is None:
            header = [c.lower() for c in cells]
            if not {"name", "kind", "reason"} <= set(header):
                die("%s:%d: the table of deliberate differences needs the columns name, kind and reason"
                    % (path, number))
            continue
        if all(re.fullmatch(r":?-+:?", c) for c in cells if c):
            continue
        row = dict(zip(header, cells))
        name, kind, reason = row.get("name", ""), row.get("kind", ""), row.get("reason", "")
        if not name or not kind or not reason:
            die("%s:%d: a deliberate difference needs a name, a kind and a reason" % (path, number))
        rows.append((name, kind, reason, number))
    if header is None:
        die("%s: the section \"Deliberate differences\" has no table (name, kind, reason)" % path)
    return rows


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    here = os.path.dirname(os.path.realpath(__file__))
    ap.add_argument("devkit", nargs="?")
    ap.add_argument("project", nargs="?", default=os.path.dirname(os.path.dirname(here)))
    ap.add_argument("--platform", default="win", choices=("win", "mac", "linux"))
    ap.add_argument("--out", default="-")
    ap.add_argument("--build", help="the stand-in build's folder (its compile_commands.json)")
    ap.add_argument("--exceptions", help="the file with the section \"Deliberate differences\"")
    a = ap.parse_args()
    project = os.path.realpath(a.project)
    if not os.path.isdir(project + "/Src"):
        die("no Src/ in %s" % project)
    devkit = find_devkit(a.devkit or os.environ.get("AC_API_DEVKIT_DIR") or
                         project + "/.deps/archicad-devkit-29.3100")
    exceptions = read_exceptions(a.exceptions) if a.exceptions else None
    per_tu = build_flags(a.build, project) if a.build else {}
    host = project + "/Host"
    src = project + "/Src"
    deps = os.environ.get("DEPS", project + "/.deps")
    rj = os.environ.get("RAPIDJSON_INCLUDE", "/usr/include")
    roots = [(host, "Host"), (src, "Src"), (devkit, "DEVKIT")]
    sysroot = os.environ.get("MINGW_SYSROOT", "/usr/x86_64-w64-mingw32")
    for path, label in ((sysroot + "/include", "MINGW"), ("/usr/share/mingw-w64/include", "MINGW"),
                        ("/usr/lib/gcc", "GCC"), ("/usr/include", "SYSTEM")):
        if os.path.isdir(path):
            roots.append((os.path.realpath(path), label))

    # The stand-in side: the project's own flags (the add-on's CMake targets on this OS).
    with open(project + "/CMakeLists.txt") as f:
        m = re.search(r"project\([^)]*VERSION (\d+)\.(\d+)\.(\d+)", f.read())
    ver = m.groups() if m else ("0", "0", "0")
    base = ["-x", "c++", "-std=c++20", "-I" + src, "-I" + project + "/RFIX",
            "-DTOLVA_VERSION_MAJOR=" + ver[0], "-DTOLVA_VERSION_MINOR=" + ver[1],
            "-DTOLVA_VERSION_PATCH=" + ver[2], '-DTOLVA_SENTRY_DSN="x"']
    tmp = tempfile.mkdtemp(prefix="devkit-compare.")
    try:
        return compare(a, devkit, project, here, host, src, deps, rj, roots, base, tmp, per_tu, exceptions)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


def compare(a, devkit, project, here, host, src, deps, rj, roots, base, tmp, per_tu, exceptions):
    os.symlink(rj + "/rapidjson", tmp + "/rapidjson")  # not all of /usr/include: include_next must work
    third = ["-isystem", tmp, "-isystem", deps + "/include", "-isystem", deps + "/sentry-native/include"]
    # Every module folder of the stand-in; its own parts (StandIn, Page, Glue) the add-on never sees.
    modules = sorted(d for d in os.listdir(host) if os.path.isdir(os.path.join(host, d)) and
                     d not in ("StandIn", "Page", "Glue"))
    host_flags = base + ["-I%s/%s" % (host, d) for d in modules] + third
    parse_errors = []
    progress = exceptions is None  # a check prints its findings at the end, not each TU

    def note(text):
        if progress:
            print(text, file=sys.stderr)

    index = ci.Index.create()
    opts = ci.TranslationUnit.PARSE_DETAILED_PROCESSING_RECORD | ci.TranslationUnit.PARSE_SKIP_FUNCTION_BODIES * 0
    used = {}  # key -> (decl cursor info)
    uses = defaultdict(list)
    tus = sorted(os.path.join(dp, f) for dp, _, fs in os.walk(src) for f in fs if f.endswith(".cpp"))
    for tu_path in tus:
        flags = ["-x", "c++"] + per_tu[tu_path] + third if tu_path in per_tu else host_flags
        tu = index.parse(tu_path, args=flags, options=opts)
        errs = [d for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
        if errs:
            parse_errors.append("stand-in parse error in %s: %s" % (os.path.relpath(tu_path, project),
                                                                     sanitize(str(errs[0]), roots)))
            note(parse_errors[-1])

        def visit(c):
            for ch in c.get_children():
                loc = ch.location
                if loc.file is None or not os.path.realpath(loc.file.name).startswith(src + "/"):
                    continue
                if ch.kind == K.MACRO_INSTANTIATION:
                    d = ch.referenced
                    if d is not None and d.location.file is not None and \
                            os.path.realpath(d.location.file.name).startswith(host + "/"):
                        key = ("macro", ch.spelling)
                        used.setdefault(key, ("macro", ch.spelling, shape(d), place(d, roots)))
                        uses[key].append(place(ch, roots))
                    continue
                d = decl_of(ch) if ch.kind.is_reference() or ch.kind.is_expression() else None
                if d is not None and d.location.file is not None and \
                        os.path.realpath(d.location.file.name).startswith(host + "/") and d.kind in DECL_KINDS \
                        and d.kind != K.NAMESPACE and not implicit(d):
                    q = qualified(d)
                    shp = sanitize(shape(d), roots)
                    if in_template(d) and d.kind in FUNCS:
                        shp = "(member of a class template)"
                    key = (kind_name(d), q, shp)
                    used.setdefault(key, (kind_name(d), q, shp, place(d, roots)))
                    uses[key].append(place(ch, roots))
                visit(ch)
        visit(tu.cursor)
        note("parsed %s (%d names so far)" % (os.path.relpath(tu_path, project), len(used)))

    # The real side: one TU with every DevKit header the add-on includes, with check.sh's flags.
    rsp_dir = tmp
    probe = rsp_dir + "/all.cpp"
    heads = set()
    for dp, _, fs in os.walk(src):
        for f in fs:
            with open(os.path.join(dp, f), errors="replace") as fh:
                for line in fh:
                    mm = re.match(r'\s*#\s*include\s*[<"]([^">]+)[">]', line)
                    if mm:
                        heads.add(mm.group(1))
    real_heads = []
    for h in sorted(heads):
        if h == "ACAPI/LibraryManager.hpp":
            h = "ACAPI/Library/LibraryManager.hpp"
        if os.path.exists(devkit + "/Inc/" + h) or any(
                os.path.exists(devkit + "/Modules/" + m + "/" + h) for m in os.listdir(devkit + "/Modules")):
            real_heads.append(h)
    with open(probe, "w") as fh:
        for h in real_heads:
            fh.write('#include "%s"\n' % h)
        if a.platform == "win":  # after the DevKit's: windows.h's GetClassInfo macro would rename its methods
            fh.write("#include <windows.h>\n#include <winhttp.h>\n#include <shellapi.h>\n")
    env = dict(os.environ, DEPS=deps, FLAGS_ONLY="1")
    flags_out = rsp_dir + "/logs"
    got = subprocess.run([here + "/check.sh", "-p", a.platform, "-o", flags_out, devkit, project], env=env,
                         capture_output=True, text=True)
    if got.returncode != 0:
        sys.stderr.write(got.stderr)
        sys.exit(2)
    with open(flags_out + "/.flags.rsp") as fh:
        real_flags = [shlex.split(line)[0] for line in fh if line.strip()]
    real_flags = [f for f in real_flags if f not in ("-fsyntax-only", "-w")]
    rtu = index.parse(probe, args=["-x", "c++"] + real_flags, options=ci.TranslationUnit.PARSE_DETAILED_PROCESSING_RECORD)
    errs = [d for d in rtu.diagnostics if d.severity >= ci.Diagnostic.Error]
    for e in errs[:5]:
        parse_errors.append("real parse error: %s" % sanitize(str(e), roots))
        note(parse_errors[-1])

    real = defaultdict(list)  # qualified -> [(kind, shape, place)]
    macros = {}
    bases = defaultdict(list)  # qualified class -> qualified bases
    targets = {}  # qualified typedef -> qualified record it names
    templated = set()  # qualified names of class templates' members
    inherited = defaultdict(set)  # qualified class -> the bases whose constructors it inherits

    def group(kind):
        return "func" if kind in ("function", "method", "constructor", "function template", "conversion") else \
            "type" if kind in ("struct", "class", "class template", "enum", "typedef", "alias", "union",
                               "alias template") else kind

    def index_real(c):
        for ch in c.get_children():
            if ch.kind == K.MACRO_DEFINITION:
                macros.setdefault(ch.spelling, (shape(ch), place(ch, roots)))
                continue
            if ch.kind in DECL_KINDS:
                q = qualified(ch)
                real[q].append((kind_name(ch), sanitize(shape(ch), roots), place(ch, roots)))
                if ch.kind in FUNCS and in_template(ch):
                    templated.add(q)
                if ch.kind in (K.TYPEDEF_DECL, K.TYPE_ALIAS_DECL):
                    decl = ch.underlying_typedef_type.get_canonical().get_declaration()
                    if decl is not None and decl.kind in SCOPES:
                        targets[q] = qualified(decl)
            elif ch.kind == K.CXX_BASE_SPECIFIER:
                b = ch.referenced
                if b is not None:
                    t = ci.conf.lib.clang_getSpecializedCursorTemplate(b)
                    if t is not None and t.kind in SCOPES:
                        b = t
                    bases[qualified(c)].append(qualified(b))
            elif ch.kind == K.USING_DECLARATION:
                # "using Base<T>::Base;" in a class (GS::Ref): the class has its base's constructors.
                if c.kind in SCOPES and c.kind not in (K.NAMESPACE, K.ENUM_DECL):
                    named = re.sub(r"<.*>$", "", ch.spelling)
                    for target in ch.get_children():
                        b = target.referenced
                        if b is not None and b.kind in SCOPES and b.spelling == named and \
                                qualified(b) in bases.get(qualified(c), []):
                            inherited[qualified(c)].add(qualified(b))
                # "using GS::Int32;" at global scope: the name is there too, with its target's shape.
                for target in ch.get_children():
                    if target.kind == K.NAMESPACE_REF:
                        continue
                    if target.kind == K.OVERLOADED_DECL_REF:
                        n = ci.conf.lib.clang_getNumOverloadedDecls(target)
                        ds = [ci.conf.lib.clang_getOverloadedDecl(target, i) for i in range(n)]
                    else:
                        ds = [target.referenced] if target.referenced is not None else []
                    for d in ds:
                        if d.kind in DECL_KINDS and d.kind != K.NAMESPACE:
                            scope = qualified(c) if c.kind != K.TRANSLATION_UNIT else ""
                            name = (scope + "::" if scope else "") + d.spelling
                            real[name].append((kind_name(d), sanitize(shape(d), roots), place(ch, roots)))
            if ch.kind in SCOPES or ch.kind in (K.LINKAGE_SPEC, K.UNEXPOSED_DECL):
                index_real(ch)
    index_real(rtu.cursor)
    note("real: %d names, %d macros" % (len(real), len(macros)))

    def lookup(q, depth=0):
        """The real declarations of q: its own, else through a typedef'd scope, else in base classes."""
        if q in real:
            return real[q], q
        if depth > 8 or "::" not in q:
            return [], q
        scope, name = q.rsplit("::", 1)
        if scope in targets:
            found, where = lookup(targets[scope] + "::" + name, depth + 1)
            if found:
                return found, where
        for b in bases.get(scope, []):
            found, where = lookup(b + "::" + name, depth + 1)
            if found:
                return found, where
        if name == scope.rsplit("::", 1)[-1]:
            for b in sorted(inherited.get(scope, ())):
                found, where = lookup(b + "::" + b.rsplit("::", 1)[-1], depth + 1)
                if found:
                    return found, where
        if name.startswith("operator"):
            # A member operator in the stand-in, a free one in the real headers.
            ns = scope.rsplit("::", 1)[0] if "::" in scope else ""
            free = real.get((ns + "::" if ns else "") + name, [])
            cls = scope.rsplit("::", 1)[-1]
            free = [f for f in free if cls in f[1]]
            if free:
                return [("function", f[1], f[2]) for f in free], name
        return [], q

    rows = []
    for key, (kind, q, shp, plc) in sorted(used.items(), key=lambda kv: (kv[1][1], kv[1][0])):
        first = sorted(set(uses[key]))[0]
        if kind == "macro":
            if q in macros:
                rs, rp = macros[q]
                status = "same" if rs == shp else "differs"
                rows.append((status, kind, q, shp, plc, rs, rp, first))
            elif q in real:
                k2, rs, rp = real[q][0]
                rows.append(("differs", kind, q, shp, plc, "%s %s" % (k2, rs), rp, first))
            else:
                rows.append(("missing", kind, q, shp, plc, "", "", first))
            continue
        cands, where = lookup(q)
        if cands and shp == "(member of a class template)":
            same = [c for c in cands if group(c[0]) == group(kind)]
            if same:
                rows.append(("same-name", kind, q, shp, plc, " | ".join(sorted(set(c[1] for c in same))),
                             same[0][2], first))
                continue
        if not cands:
            # The same name as a macro in the real headers (an enumerator or constant there a #define).
            last = q.split("::")[-1]
            if q == last and last in macros:
                rs, rp = macros[last]
                rows.append(("differs", kind, q, shp, plc, "macro " + rs, rp, first))
            else:
                rows.append(("missing", kind, q, shp, plc, "", "", first))
            continue
        same_group = [c for c in cands if group(c[0]) == group(kind)]
        if where != q:
            kind_note = " (as %s)" % where
        else:
            kind_note = ""
        def lp64(text):
            # The stand-in is compiled for Linux (LP64), the Windows path for LLP64: "long long" there
            # is "long" here. Such a row is "int-spelling", not "same": the types differ on one platform.
            return re.sub(r"\blong long\b", "long", text)
        def same_kind(k1, k2):
            return k1 == k2 or {k1, k2} <= {"typedef", "alias"}
        if any(c[1] == shp and (same_kind(c[0], kind) or kind_note) for c in same_group):
            rows.append(("same", kind, q, shp, plc, shp + kind_note, [c for c in same_group if c[1] == shp][0][2],
                         first))
        elif any(lp64(c[1]) == lp64(shp) for c in same_group):
            match = [c for c in same_group if lp64(c[1]) == lp64(shp)][0]
            rows.append(("int-spelling", kind, q, shp, plc, match[1] + kind_note, match[2], first))
        else:
            pick = same_group or cands
            rs = " | ".join(sorted(set("%s%s" % ("" if c[0] == kind else c[0] + " ", c[1]) for c in pick))) + kind_note
            rows.append(("differs", kind, q, shp, plc, rs, pick[0][2], first))

    # A record the stand-in names otherwise (API_Component3DHeader for API_3D_Head): learned from a field
    # found in both whose type is a plain record name in each; its members are then looked up there.
    renamed = {}
    for r in rows:
        if r[1] == "field" and r[0] == "differs" and re.fullmatch(r"[A-Za-z_][\w:]*", r[3]) and \
                re.fullmatch(r"[A-Za-z_][\w:]*", r[5]):
            renamed[r[3]] = r[5]
    for i, r in enumerate(rows):
        if r[0] != "missing" or "::" not in r[2]:
            continue
        scope, name = r[2].rsplit("::", 1)
        if scope in renamed:
            cands, where = lookup(renamed[scope] + "::" + name)
            if cands:
                shp = r[3]
                same = any(c[1] == shp for c in cands)
                rs = " | ".join(sorted(set(c[1] for c in cands))) + " (as %s)" % where
                rows[i] = ("same" if same else "differs", r[1], r[2], r[3], r[4], rs, cands[0][2], r[7])

    if a.out != "-" or exceptions is None:
        if a.out != "-":
            os.makedirs(os.path.dirname(os.path.abspath(a.out)), exist_ok=True)
        out = sys.stdout if a.out == "-" else open(a.out, "w")
        out.write("status\tkind\tname\tstand-in\tstand-in place\treal\treal place\tfirst use\n")
        for r in rows:
            out.write("\t".join(r) + "\n")
        if out is not sys.stdout:
            out.close()
    counts = defaultdict(int)
    for r in rows:
        counts[r[0]] += 1
    print("%d names: %s" % (len(rows), ", ".join("%d %s" % (v, k) for k, v in sorted(counts.items()))),
          file=sys.stderr)
    if exceptions is None:
        return 0
    return check(rows, exceptions, a.exceptions, parse_errors, None if a.out == "-" else a.out)


def check(rows, exceptions, listed_in, parse_errors, table=None):
    """Fails on every difference the list of deliberate ones does not name, and on every stale entry."""
    listed = {(name, kind): number for name, kind, _, number in exceptions}
    bad = [r for r in rows if r[0] in ("differs", "missing", "int-spelling")]
    unlisted = [r for r in bad if (r[2], r[1]) not in listed]
    differing = {(r[2], r[1]) for r in bad}
    stale = [(name, kind, number) for name, kind, _, number in exceptions if (name, kind) not in differing]
    if unlisted:
        print("%d declarations of the stand-in differ from the DevKit's and are not listed in %s "
              "(Deliberate differences):" % (len(unlisted), listed_in))
        print("status\tkind\tname\t[stand-in]\t[DevKit]\tfirst use")
        for r in unlisted:
            real = r[5] if len(r[5]) <= 300 else r[5][:300] + " ..."  # a free operator's many overloads
            print("%s\t%s\t%s\t[%s]\t[%s]\t%s" % (r[0], r[1], r[2], r[3], real, r[7]))
        if table:
            print("(the whole table, with the places of both declarations: %s)" % table)
    if stale:
        print("%d deliberate differences no longer differ (or Src/ no longer uses them); remove them from %s:"
              % (len(stale), listed_in))
        for name, kind, number in stale:
            print("%s:%d: %s (%s)" % (listed_in, number, name, kind))
    if parse_errors:
        print("the comparison is incomplete, a side did not parse:")
        for e in parse_errors[:20]:
            print("    " + e)
        if len(parse_errors) > 20:
            print("    ... and %d more" % (len(parse_errors) - 20))
        return 2
    if unlisted or stale:
        return 1
    print("the stand-in declares every name Src/ uses as the DevKit does (%d deliberate differences)"
          % len(listed))
    return 0


if __name__ == "__main__":
    sys.exit(main())
