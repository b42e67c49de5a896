#!/usr/bin/env python3
"""Generates the automation surface of KivoSheet.dll from control/KivoSheet.members
and control/Guids.txt:

  KivoSheet.idl              the type library source (compiled by widl)
  KivoGuids.gen.h            every identifier, as text and as 16 bytes (portable)
  KivoSheetDispatch.gen.h/cpp  the control's dispatch members: a base class whose
                             members answer their failure value until a derived
                             class builds them, the member table and the invoker
  KivoSheetEvents.gen.h/cpp  the event table and one firing helper per event
  KivoObjects.gen.h/cpp      one portable base class per automation interface
  KivoAutomation.gen.cpp     (win32) the COM classes of the 21 dual interfaces

Usage: gen_control.py MEMBERS GUIDS OUTDIR
"""
import os
import re
import sys


class Arg:
    def __init__(self, text):
        name, _, typ = text.partition(':')
        if not name or not typ or '=' in text:
            raise ValueError('bad argument ' + text)
        self.name = name
        self.type = typ


class Member:
    def __init__(self, kind, dispid, name, line=0):
        self.kind = kind
        self.dispid = dispid
        self.name = name
        self.line = line
        self.result = 'void'
        self.fail = None
        self.args = []
        self.out = None      # Arg of an [out, retval] result (interfaces)
        self.type = None     # property type (interfaces, control properties)
        self.checks = []     # (kind, [argument names]) in order (control methods)
        self.redraw = []     # redraw marks in order (control members)
        self.jbase = None    # "J" member: the base member's name
        self.jorder = None   # "J" member: by-reference index of each selector value


class Interface:
    def __init__(self, name, cls, line=0):
        self.name = name
        self.cls = cls
        self.line = line
        self.members = []


# The property accessors each interface member line stands for.
PROPERTY_KINDS = {'get': ('get',), 'put': ('put',), 'putref': ('putref',), 'getput': ('get', 'put')}

CHECK_ARGS = {'scrollrow': 1, 'scrollcol': 1, 'cell': 2, 'range': 4, 'nonvirtual': 0}
REDRAW_MARKS = ('all', 'grid', 'ctl', 'bars')


def split_options(tokens):
    """(options, rest): the leading key=value tokens and the tokens after them."""
    opts = []
    i = 0
    while i < len(tokens) and '=' in tokens[i] and ':' not in tokens[i].split('=', 1)[0]:
        key, _, value = tokens[i].partition('=')
        opts.append((key, value))
        i += 1
    for t in tokens[i:]:
        if '=' in t:
            raise ValueError('option %s must come before the arguments' % t)
    return opts, tokens[i:]


def parse_number(text):
    try:
        return float(text) if '.' in text or 'e' in text.lower() else int(text, 0)
    except ValueError:
        raise ValueError('fail=%s is not a number' % text)


def parse_fail_text(value):
    if len(value) < 2 or value[0] != '"' or value[-1] != '"' or '"' in value[1:-1] or '\\' in value:
        raise ValueError('fail=%s: a text failure value is written "TEXT"' % value)
    return value


def check_fail(m, typ, value):
    """Validates a fail= of a member whose result (or out-parameter) has type typ."""
    if typ in ('void', 'void*'):
        raise ValueError('fail= on a member without a result')
    if typ == 'IDispatch*' or typ.rstrip('*') in IFACE_NAMES:
        raise ValueError('fail= on an object member: an object member fails with no object')
    if typ == 'BSTR':
        return parse_fail_text(value)
    if typ == 'VARIANT':
        raise ValueError('fail= on a VARIANT member')
    parse_number(value)
    if typ == 'bool' and parse_number(value) != 0:
        raise ValueError('fail=%s on a bool member: a bool member fails with 0 (False)' % value)
    return value


def parse_method_options(m, opts):
    for key, value in opts:
        if key == 'fail':
            if m.fail is not None:
                raise ValueError('fail= given twice')
            m.fail = value
        elif key == 'check':
            kind, _, names = value.partition(':')
            if kind not in CHECK_ARGS:
                raise ValueError('unknown check %s' % kind)
            names = [n for n in names.split(',') if n] if names else []
            if len(names) != CHECK_ARGS[kind]:
                raise ValueError('check %s takes %d argument name(s)' % (kind, CHECK_ARGS[kind]))
            m.checks.append((kind, names))
        elif key == 'redraw':
            if m.redraw:
                raise ValueError('redraw= given twice')
            marks = value.split(',')
            for mark in marks:
                if mark not in REDRAW_MARKS:
                    raise ValueError('unknown redraw mark %s' % mark)
            if len(set(marks)) != len(marks):
                raise ValueError('redraw mark given twice')
            m.redraw = marks
        elif key == 'j':
            base, _, order = value.partition(':')
            if not base:
                raise ValueError('j= needs the base member')
            m.jbase = base
            if order:
                try:
                    m.jorder = [int(x) for x in order.split(',')]
                except ValueError:
                    raise ValueError('bad selector order %s' % order)
        else:
            raise ValueError('unknown option %s=' % key)


def parse(path):
    enums, props, methods, events, ifaces = [], [], [], [], []
    cur = None
    with open(path, encoding='utf-8') as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.split('#', 1)[0].strip()
            if not line:
                continue
            tok = line.split()
            try:
                if cur is not None:
                    if tok[0] == 'end':
                        ifaces.append(cur)
                        cur = None
                        continue
                    m = Member(tok[0], int(tok[1]), tok[2], lineno)
                    if m.kind in ('getput', 'get', 'put', 'putref'):
                        m.type = tok[3]
                        rest = tok[4:]
                        fails = [t for t in rest if t.startswith('fail=')]
                        rest = [t for t in rest if not t.startswith('fail=')]
                        if fails:
                            if m.kind in ('put', 'putref') or len(fails) > 1:
                                raise ValueError('fail= belongs to one get')
                            m.fail = fails[0][5:]
                        m.args = [Arg(t) for t in rest]
                    elif m.kind in ('call', 'hidden'):
                        rest = tok[3:]
                        if '->' in rest:
                            i = rest.index('->')
                            tail = rest[i + 1:]
                            if not tail or len(tail) > 2:
                                raise ValueError('"->" takes one name:type [fail=VALUE]')
                            m.out = Arg(tail[0])
                            if len(tail) == 2:
                                if not tail[1].startswith('fail=') or m.kind == 'hidden':
                                    raise ValueError('unexpected %s' % tail[1])
                                m.fail = tail[1][5:]
                            rest = rest[:i]
                        m.args = [Arg(t) for t in rest]
                    else:
                        raise ValueError('unknown interface member kind')
                    cur.members.append(m)
                elif tok[0] == 'enum':
                    vals = [tuple(v.split('=')) for v in tok[2:]]
                    enums.append((tok[1], [(n, int(v)) for n, v in vals]))
                elif tok[0] == 'property':
                    m = Member('property', int(tok[1]), tok[2], lineno)
                    m.type = tok[3]
                    opts, rest = split_options(tok[4:])
                    if rest:
                        raise ValueError('a property takes no arguments')
                    for key, value in opts:
                        if key != 'redraw':
                            raise ValueError('a property takes only redraw=')
                    parse_method_options(m, opts)
                    props.append(m)
                elif tok[0] == 'method':
                    m = Member('method', int(tok[1]), tok[2], lineno)
                    m.result = tok[3]
                    opts, rest = split_options(tok[4:])
                    parse_method_options(m, opts)
                    m.args = [Arg(t) for t in rest]
                    methods.append(m)
                elif tok[0] == 'event':
                    m = Member('event', int(tok[1]), tok[2], lineno)
                    m.args = [Arg(t) for t in tok[3:]]
                    events.append(m)
                elif tok[0] == 'interface':
                    cur = Interface(tok[1], tok[2], lineno)
                else:
                    raise ValueError('unknown line kind')
            except (ValueError, IndexError) as e:
                fail_at(path, lineno, e)
    if cur is not None:
        fail_at(path, cur.line, 'interface %s has no end' % cur.name)
    return enums, props, methods, events, ifaces


def fail_at(path, lineno, message):
    sys.exit('%s:%d: error: %s' % (path, lineno, message))


def validate(path, props, methods, events, ifaces):
    """Everything the generated code relies on; the first fault stops the build."""
    def unique(items, key, what):
        seen = {}
        for m in items:
            k = key(m)
            if k in seen:
                fail_at(path, m.line, 'duplicate %s (first on line %d)' % (what(m), seen[k].line))
            seen[k] = m

    members = props + methods
    unique(members, lambda m: m.dispid, lambda m: 'DISPID %d of %s' % (m.dispid, m.name))
    # Names are looked up without regard to case.
    unique(members, lambda m: m.name.lower(), lambda m: 'member name %s' % m.name)
    unique(events, lambda m: m.dispid, lambda m: 'event DISPID %d of %s' % (m.dispid, m.name))
    unique(events, lambda m: m.name.lower(), lambda m: 'event name %s' % m.name)
    unique(ifaces, lambda i: i.name, lambda i: 'interface %s' % i.name)
    unique(ifaces, lambda i: i.cls, lambda i: 'class %s' % i.cls)
    for i in ifaces:
        # The get, put and put-by-reference of one property share their DISPID
        # and name; a getput stands for a get and a put.
        def shares(group, m):
            kinds = [k for x in group for k in PROPERTY_KINDS.get(x.kind, (x.kind,))]
            new = PROPERTY_KINDS.get(m.kind)
            return (new is not None and all(x.name == m.name and x.kind in PROPERTY_KINDS for x in group)
                    and not set(kinds) & set(new))
        seen = {}
        for m in i.members:
            group = seen.setdefault(m.dispid, [])
            if group and not shares(group, m):
                fail_at(path, m.line, 'duplicate DISPID %d in %s (first on line %d)' % (m.dispid, i.name, group[0].line))
            group.append(m)
        names = {}
        for m in i.members:
            group = names.setdefault(m.name.lower(), [])
            if group and not shares(group, m):
                fail_at(path, m.line, 'duplicate member name %s in %s (first on line %d)' % (m.name, i.name, group[0].line))
            group.append(m)
        validate_putref(path, i)
        for m in i.members:
            if m.fail is not None:
                typ = m.out.type if m.out is not None else m.type
                try:
                    check_fail(m, typ, m.fail)
                except ValueError as e:
                    fail_at(path, m.line, e)

    by_name = {m.name: m for m in methods}
    for m in props:
        if m.type != 'long':
            fail_at(path, m.line, 'control properties are long')
    for m in methods:
        try:
            validate_method(m, by_name)
        except ValueError as e:
            fail_at(path, m.line, e)


def is_object_type(t):
    return t == 'IDispatch*' or (t is not None and t.rstrip('*') in IFACE_NAMES)


def validate_putref(path, i):
    """A script assigns an object to a property with Set, a put by reference:
    every property whose type is an object has a putref beside its put, with
    the put's DISPID, type and index arguments, and only such a property has one."""
    puts = {m.name: m for m in i.members if m.kind in ('put', 'getput')}
    refs = {m.name: m for m in i.members if m.kind == 'putref'}
    for m in i.members:
        if m.kind == 'putref':
            put = puts.get(m.name)
            if put is None:
                fail_at(path, m.line, 'putref %s in %s has no put' % (m.name, i.name))
            if not is_object_type(m.type):
                fail_at(path, m.line, 'putref %s in %s: only a property whose type is an object is put by reference'
                        % (m.name, i.name))
            if (put.dispid, put.type, [(a.name, a.type) for a in put.args]) != \
                    (m.dispid, m.type, [(a.name, a.type) for a in m.args]):
                fail_at(path, m.line, 'putref %s in %s differs from its put in DISPID, type or arguments'
                        % (m.name, i.name))
        elif m.kind in ('put', 'getput') and is_object_type(m.type) and m.name not in refs:
            fail_at(path, m.line, 'put %s in %s takes an object and has no putref' % (m.name, i.name))


def validate_method(m, by_name):
    for a in m.args:
        disp_type(a.type)
    disp_type(m.result)
    if m.fail is not None:
        check_fail(m, m.result, m.fail)
    argtypes = {a.name: a.type for a in m.args}
    for kind, names in m.checks:
        for n in names:
            if n not in argtypes:
                raise ValueError('check %s names %s, which is not an argument' % (kind, n))
            if argtypes[n] not in ('long', 'int', 'short'):
                raise ValueError('check %s names %s, which is not an integer argument' % (kind, n))
    if m.jbase is None:
        return
    base = by_name.get(m.jbase)
    if base is None:
        raise ValueError('j=%s: no such method' % m.jbase)
    if base.jbase is not None:
        raise ValueError('j=%s: the base is itself a J member' % m.jbase)
    inargs = [a for a in base.args if not a.type.endswith('*') or a.type == 'IDispatch*']
    refs = [a for a in base.args if a.type.endswith('*') and a.type != 'IDispatch*']
    if not refs:
        raise ValueError('j=%s: the base writes no by-reference value' % m.jbase)
    own = m.args[:len(inargs)]
    if [(a.name, a.type) for a in own] != [(a.name, a.type) for a in inargs]:
        raise ValueError('j=%s: the arguments must be the base\'s by-value arguments (%s)'
                         % (m.jbase, ', '.join('%s:%s' % (a.name, a.type) for a in inargs)))
    extra = m.args[len(inargs):]
    if len(extra) > 1 or (extra and extra[0].type != 'short'):
        raise ValueError('j=%s: only one short selector may follow the base\'s arguments' % m.jbase)
    order = m.jorder if m.jorder is not None else list(range(len(refs)))
    if not extra:
        if len(refs) != 1 or m.jorder is not None:
            raise ValueError('j=%s: a member without a selector answers the base\'s only by-reference value'
                             % m.jbase)
    elif extra and base.result not in ('bool', 'short', 'long'):
        raise ValueError('j=%s: the base answers no success to test' % m.jbase)
    for k in order:
        if k < 0 or k >= len(refs):
            raise ValueError('j=%s: selector order names by-reference value %d of %d' % (m.jbase, k, len(refs)))
    for k in order:
        if refs[k].type[:-1] != m.result:
            raise ValueError('j=%s: by-reference value %s is %s, the member answers %s'
                             % (m.jbase, refs[k].name, refs[k].type[:-1], m.result))


def parse_guids(path):
    guids = {}
    with open(path, encoding='utf-8') as f:
        for raw in f:
            line = raw.split('#', 1)[0].strip()
            if line:
                name, g = line.split()
                guids[name] = g.upper()
    return guids


def guid_bytes(g):
    """The 16 bytes of a GUID as it lies in memory (little-endian fields)."""
    h = g.replace('-', '')
    d1 = bytes.fromhex(h[0:8])[::-1]
    d2 = bytes.fromhex(h[8:12])[::-1]
    d3 = bytes.fromhex(h[12:16])[::-1]
    rest = bytes.fromhex(h[16:32])
    return d1 + d2 + d3 + rest


# ---------------------------------------------------------------- type maps --

def bad(message):
    raise ValueError(message)


ENUMS = set()
IFACE_NAMES = set()

# Portable argument kind of a table type (CDispArg / CDispResult field).
def disp_type(t):
    return {
        'long': 'Long', 'int': 'Long', 'short': 'Short', 'double': 'Double', 'float': 'Float',
        'BSTR': 'String', 'VARIANT': 'Bytes', 'IDispatch*': 'Object',
        'long*': 'RefLong', 'short*': 'RefShort', 'double*': 'RefDouble', 'BSTR*': 'RefString',
        'bool': 'Bool', 'void': 'Void',
    }.get(t) or ('Long' if t in ENUMS else 'Object' if t.rstrip('*') in IFACE_NAMES else None) \
        or bad('unknown type ' + t)


def idl_type(t):
    if t == 'bool':
        return 'short'
    return t


def cpp_arg(t):
    return {
        'long': 'LONG', 'int': 'LONG', 'short': 'SHORT', 'double': 'double', 'float': 'float',
        'BSTR': 'const CString&', 'VARIANT': 'const CDispBytes&', 'IDispatch*': 'CKivoObject*',
        'long*': 'LONG&', 'short*': 'SHORT&', 'double*': 'double&', 'BSTR*': 'CString&',
    }.get(t) or ('LONG' if t in ENUMS else 'CKivoObject*' if t.rstrip('*') in IFACE_NAMES else None) \
        or bad('unknown argument type ' + t)


def cpp_result(t):
    return {'bool': 'BOOL', 'short': 'int', 'long': 'LONG', 'double': 'double', 'BSTR': 'CString',
            'IDispatch*': 'CKivoObjectPtr', 'void': 'void'}[t]


def fail_value(m):
    """The failure value of a control method as written in the table (None for void)."""
    t = m.result
    if t == 'void':
        return None
    if t == 'BSTR':
        return m.fail if m.fail is not None else '""'
    if t == 'IDispatch*':
        return None
    if m.fail is not None:
        return m.fail
    # A "J" member answers -1 (a double 0) for a bad selector or a failed base.
    return '-1' if m.jbase is not None and t != 'double' else '0'


def fail_expr(m):
    t = m.result
    if t == 'void':
        return None
    if t == 'IDispatch*':
        return 'CKivoObjectPtr()'
    v = fail_value(m)
    if t == 'BSTR':
        return 'CString(%s)' % v if v != '""' else 'CString()'
    if t == 'double':
        return v + '.0' if '.' not in v and 'e' not in v.lower() else v
    return v


def arg_field(t):
    return {'Long': 'l', 'Short': 's', 'Double': 'd', 'Float': 'f', 'String': 'str', 'Bytes': 'bytes',
            'Object': 'obj', 'RefLong': 'l', 'RefShort': 's', 'RefDouble': 'd', 'RefString': 'str'}[disp_type(t)]


HEADER = '// Generated by control/tools/gen_control.py from control/KivoSheet.members. Do not edit.\n'


# ---------------------------------------------------------------------- IDL --

def write_idl(out, enums, props, methods, events, ifaces, guids):
    w = []
    w.append('// Generated from control/KivoSheet.members. Do not edit.')
    w.append('import "oaidl.idl";')
    w.append('import "ocidl.idl";')
    w.append('')
    w.append('[uuid(%s), version(1.0), helpstring("KivoSheet ActiveX Control module"), control]'
             % guids['KIVOSHEETLib'])
    w.append('library KIVOSHEETLib')
    w.append('{')
    w.append('    importlib("stdole2.tlb");')
    w.append('')
    for name, vals in enums:
        w.append('    typedef enum %s {' % name)
        w.append(',\n'.join('        %s = %d' % v for v in vals))
        w.append('    } %s;' % name)
        w.append('')
    for i in ifaces:
        w.append('    interface %s;' % i.name)
    w.append('')
    w.append('    [uuid(%s), helpstring("Dispatch interface for KivoSheet Control"), hidden]'
             % guids['_DKivoSheet'])
    w.append('    dispinterface _DKivoSheet')
    w.append('    {')
    w.append('    properties:')
    for p in props:
        w.append('        [id(%d)] %s %s;' % (p.dispid, p.type, p.name))
    w.append('    methods:')
    for m in methods:
        args = ', '.join('%s %s' % (idl_type(a.type), a.name) for a in m.args)
        w.append('        [id(%d)] %s %s(%s);' % (m.dispid, idl_type(m.result), m.name, args))
    w.append('    };')
    w.append('')
    w.append('    [uuid(%s), helpstring("Event interface for KivoSheet Control")]'
             % guids['_DKivoSheetEvents'])
    w.append('    dispinterface _DKivoSheetEvents')
    w.append('    {')
    w.append('    properties:')
    w.append('    methods:')
    for e in events:
        args = ', '.join('%s %s' % (a.type, a.name) for a in e.args)
        w.append('        [id(%d)] void %s(%s);' % (e.dispid, e.name, args))
    w.append('    };')
    w.append('')
    w.append('    [uuid(%s), helpstring("KivoSheet Control"), control]' % guids['KivoSheet'])
    w.append('    coclass KivoSheet')
    w.append('    {')
    w.append('        [default] dispinterface _DKivoSheet;')
    w.append('        [default, source] dispinterface _DKivoSheetEvents;')
    w.append('    };')
    w.append('')
    for i in ifaces:
        w.append('    [object, uuid(%s), dual, oleautomation, helpstring("%s Interface"), pointer_default(unique)]'
                 % (guids[i.name], i.name))
        w.append('    interface %s : IDispatch' % i.name)
        w.append('    {')
        for m in i.members:
            w.extend('        ' + s for s in idl_iface_member(m))
        w.append('    };')
        w.append('')
        w.append('    [uuid(%s), helpstring("%s Class")]' % (guids[i.cls], i.cls))
        w.append('    coclass %s' % i.cls)
        w.append('    {')
        w.append('        [default] interface %s;' % i.name)
        w.append('    };')
        w.append('')
    w.append('};')
    write_text(os.path.join(out, 'KivoSheet.idl'), '\n'.join(w) + '\n')


def idl_param(t):
    # An object result or argument of this library's interfaces keeps its type.
    return t


def idl_iface_member(m):
    res = []
    idx = ['[in] %s %s' % (a.type, a.name) for a in m.args]
    if m.kind in ('getput', 'get'):
        res.append('[propget, id(%d)] HRESULT %s(%s);' % (
            m.dispid, m.name, ', '.join(idx + ['[out, retval] %s* pVal' % m.type])))
    if m.kind in ('getput', 'put'):
        res.append('[propput, id(%d)] HRESULT %s(%s);' % (
            m.dispid, m.name, ', '.join(idx + ['[in] %s newVal' % m.type])))
    if m.kind == 'putref':
        res.append('[propputref, id(%d)] HRESULT %s(%s);' % (
            m.dispid, m.name, ', '.join(idx + ['[in] %s newVal' % m.type])))
    if m.kind in ('call', 'hidden'):
        params = ['[in] %s %s' % (a.type, a.name) for a in m.args]
        if m.out is not None:
            params.append('[out, retval] %s* %s' % (m.out.type, m.out.name))
        attrs = 'id(%d)' % m.dispid
        if m.kind == 'hidden':
            attrs += ', hidden, restricted'
        res.append('[%s] HRESULT %s(%s);' % (attrs, m.name, ', '.join(params)))
    return res


# -------------------------------------------------------------------- GUIDs --

def write_guids(out, guids, ifaces):
    w = [HEADER, '#pragma once', '', '#include <cstdint>', '',
         '// One identifier: its registry text and the 16 bytes of the GUID in memory.',
         'struct KivoGuid {', '    const char* text;        // "{XXXXXXXX-...}"',
         '    std::uint8_t bytes[16];', '};', '']
    for name, g in guids.items():
        b = ', '.join('0x%02X' % x for x in guid_bytes(g))
        w.append('inline constexpr KivoGuid kGuid_%s = {"{%s}", {%s}};' % (name.lstrip('_'), g, b))
    w.append('')
    w.append('// The automation classes in registration order (and their interfaces).')
    w.append('inline constexpr int kKivoClassCount = %d;' % len(ifaces))
    w.append('inline constexpr const KivoGuid* kKivoClassGuids[] = {%s};' % ', '.join('&kGuid_%s' % i.cls for i in ifaces))
    w.append('inline constexpr const KivoGuid* kKivoInterfaceGuids[] = {%s};' % ', '.join('&kGuid_%s' % i.name for i in ifaces))
    write_text(os.path.join(out, 'KivoGuids.gen.h'), '\n'.join(w) + '\n')


# ------------------------------------------------------- control dispatch --

CHECK_CALLS = {'scrollrow': 'DispCheckScrollRow', 'scrollcol': 'DispCheckScrollCol', 'cell': 'DispCheckCell',
               'range': 'DispCheckRange', 'nonvirtual': 'DispCheckNonVirtual'}
REDRAW_BITS = {'all': 'kDispRedrawAll', 'grid': 'kDispRedrawGrid', 'ctl': 'kDispRedrawControl',
               'bars': 'kDispRedrawBars'}


def ref_type(t):
    """The C++ type of a variable that a by-reference argument of type t is bound to."""
    return cpp_arg(t)[:-1]


def member_params(m):
    return ', '.join('%s %s' % (cpp_arg(a.type), a.name) for a in m.args)


def member_body(m, by_name):
    """The body of a control member: checks, operation (or the J pick), redraw."""
    b = []
    res = cpp_result(m.result)
    fe = fail_expr(m)
    ret_fail = 'return %s;' % fe if fe else 'return;'
    if m.checks:
        b.append('    CGridPort* grid = DispatchGrid();')
        conds = []
        for kind, names in m.checks:
            conds.append('!%s(%s)' % (CHECK_CALLS[kind], ', '.join(['grid'] + names)))
        b.append('    if (%s)' % ' || '.join(conds))
        b.append('        ' + ret_fail)
    redraw = ''
    if m.redraw:
        redraw = '    DispRedraw(DispatchGrid(), DispatchWindow(), %s);' % ' | '.join(REDRAW_BITS[r] for r in m.redraw)
    if m.jbase is not None:
        base = by_name[m.jbase]
        refs = [a for a in base.args if a.type.endswith('*') and a.type != 'IDispatch*']
        for k, a in enumerate(refs):
            # Each value starts as the member's failure value (0 when of
            # another type), so a value the base does not write answers that.
            if ref_type(a.type) == 'CString':
                b.append('    CString v%d%s;' % (k, '(%s)' % fail_value(m) if m.result == 'BSTR' and fail_value(m) != '""' else ''))
            else:
                init = fail_expr(m) if a.type[:-1] == m.result else '0'
                b.append('    %s v%d = %s;' % (ref_type(a.type), k, init))
        call_args = []
        for a in base.args:
            if a in refs:
                call_args.append('v%d' % refs.index(a))
            else:
                call_args.append(a.name)
        call = '%s(%s)' % (base.name, ', '.join(call_args))
        selector = m.args[-1].name if len(m.args) > len(base.args) - len(refs) else None
        if selector is None:
            # The base's result does not matter: the value is preset.
            b.append('    %s;' % call if base.result == 'void' else '    (void)%s;' % call)
            if redraw:
                b.append(redraw)
            b.append('    return v0;')
        else:
            b.append('    if (%s == 0)' % call)
            b.append('        ' + ret_fail)
            if redraw:
                b.append(redraw)
            order = m.jorder if m.jorder is not None else list(range(len(refs)))
            b.append('    switch (%s) {' % selector)
            for sel, k in enumerate(order):
                b.append('    case %d:' % sel)
                b.append('        return v%d;' % k)
            b.append('    default:')
            b.append('        ' + ret_fail)
            b.append('    }')
        return b
    call = 'Do%s(%s)' % (m.name, ', '.join(a.name for a in m.args))
    if m.result == 'void':
        b.append('    %s;' % call)
        if redraw:
            b.append(redraw)
    elif redraw:
        b.append('    %s result = %s;' % (res, call))
        b.append(redraw)
        b.append('    return result;')
    else:
        b.append('    return %s;' % call)
    return b


def write_dispatch(out, props, methods):
    by_name = {m.name: m for m in methods}
    h = [HEADER, '#pragma once', '', '#include "control/DispTypes.h"', '',
         'class CGridPort;', 'class CWnd;', '',
         '// The members of the control\'s dispatch interface. Each runs the checks of',
         '// its row of the member table, then its operation (the protected Do... member',
         '// of the same name), then the redraw of its row; a "J" member answers one',
         '// value of its base member instead of an operation of its own. Every',
         '// operation answers the member\'s failure value here; the control overrides',
         '// the operations it builds.',
         'class CKivoSheetDispatch {', 'public:', '    virtual ~CKivoSheetDispatch() = default;', '']
    for p in props:
        h.append('    LONG Get%s();' % p.name)
        h.append('    void Set%s(LONG newValue);' % p.name)
    h.append('')
    for m in methods:
        h.append('    %s %s(%s);' % (cpp_result(m.result), m.name, member_params(m)))
    h.append('')
    h.append('protected:')
    h.append('    // What the checks read and the redraw marks reach: the control\'s grid')
    h.append('    // object and its window; NULL when there is none (every check then fails')
    h.append('    // and nothing is redrawn).')
    h.append('    virtual CGridPort* DispatchGrid() { return nullptr; }')
    h.append('    virtual CWnd* DispatchWindow() { return nullptr; }')
    h.append('')
    h.append('    // The operations.')
    for p in props:
        h.append('    virtual LONG DoGet%s() { return 0; }' % p.name)
        h.append('    virtual void DoSet%s(LONG newValue) { (void)newValue; }' % p.name)
    for m in methods:
        if m.jbase is not None:
            continue
        unused = ' '.join('(void)%s;' % a.name for a in m.args)
        fe = fail_expr(m)
        body = (unused + ' ' if unused else '') + ('return %s;' % fe if fe else '')
        h.append('    virtual %s Do%s(%s) { %s }' % (cpp_result(m.result), m.name, member_params(m), body.strip()))
    h.append('};')
    h.append('')
    h.append('// Number of members in the table (properties and methods).')
    h.append('inline constexpr int kKivoSheetMemberCount = %d;' % (len(props) + len(methods)))
    write_text(os.path.join(out, 'KivoSheetDispatch.gen.h'), '\n'.join(h) + '\n')

    c = [HEADER, '#include "control/KivoSheetDispatch.gen.h"', '#include "control/DispInvoke.h"', '',
         'namespace {', '']
    allm = props + methods
    for m in allm:
        if m.kind == 'property':
            types = ['Long']
        else:
            types = [disp_type(a.type) for a in m.args]
        if types:
            c.append('const DispType kArgs%s[] = {%s};' % (m.name, ', '.join('DispType::' + t for t in types)))
            names = [p.name for p in [m]] if m.kind == 'property' else [a.name for a in m.args]
            c.append('const char* const kNames%s[] = {%s};' % (m.name, ', '.join('"%s"' % n for n in names)))
    c.append('')
    c.append('const CMemberInfo kMembers[] = {')
    for m in sorted(allm, key=lambda x: x.dispid):
        if m.kind == 'property':
            c.append('    {%d, "%s", DispType::Long, 1, kArgs%s, kNames%s, true},' % (m.dispid, m.name, m.name, m.name))
        else:
            n = len(m.args)
            a = ('kArgs%s, kNames%s' % (m.name, m.name)) if n else 'nullptr, nullptr'
            c.append('    {%d, "%s", DispType::%s, %d, %s, false},' % (m.dispid, m.name, disp_type(m.result), n, a))
    c.append('};')
    c.append('')
    c.append('}  // namespace')
    c.append('')
    c.append('const CMemberInfo* KivoSheetMembers(int* count)')
    c.append('{')
    c.append('    if (count != nullptr)')
    c.append('        *count = static_cast<int>(sizeof(kMembers) / sizeof(kMembers[0]));')
    c.append('    return kMembers;')
    c.append('}')
    c.append('')
    c.append('bool InvokeKivoSheetMember(CKivoSheetDispatch& t, const CMemberInfo& m, DispCall kind, CDispArg* a,')
    c.append('                           CDispResult& r)')
    c.append('{')
    c.append('    switch (m.dispid) {')
    for p in props:
        c.append('    case %d:' % p.dispid)
        c.append('        if (kind == DispCall::PropertyPut) {')
        c.append('            t.Set%s(a[0].l);' % p.name)
        c.append('            r.SetVoid();')
        c.append('        } else {')
        c.append('            r.SetLong(t.Get%s());' % p.name)
        c.append('        }')
        c.append('        return true;')
    for m in methods:
        call = 't.%s(%s)' % (m.name, ', '.join('a[%d].%s' % (i, arg_field(x.type)) for i, x in enumerate(m.args)))
        c.append('    case %d:' % m.dispid)
        c.append('        if (kind == DispCall::PropertyPut)')
        c.append('            return false;')
        setter = {'Bool': 'SetBool', 'Short': 'SetShort', 'Long': 'SetLong', 'Double': 'SetDouble',
                  'String': 'SetString', 'Object': 'SetObject'}
        dt = disp_type(m.result)
        if dt == 'Void':
            c.append('        %s;' % call)
            c.append('        r.SetVoid();')
        else:
            c.append('        r.%s(%s);' % (setter[dt], call))
        c.append('        return true;')
    c.append('    default:')
    c.append('        return false;')
    c.append('    }')
    c.append('}')
    for p in props:
        c.append('')
        c.append('LONG CKivoSheetDispatch::Get%s()' % p.name)
        c.append('{')
        c.append('    return DoGet%s();' % p.name)
        c.append('}')
        c.append('')
        c.append('void CKivoSheetDispatch::Set%s(LONG newValue)' % p.name)
        c.append('{')
        c.append('    DoSet%s(newValue);' % p.name)
        if p.redraw:
            c.append('    DispRedraw(DispatchGrid(), DispatchWindow(), %s);'
                     % ' | '.join(REDRAW_BITS[r] for r in p.redraw))
        c.append('}')
    for m in methods:
        c.append('')
        c.append('%s CKivoSheetDispatch::%s(%s)' % (cpp_result(m.result), m.name, member_params(m)))
        c.append('{')
        c.extend(member_body(m, by_name))
        c.append('}')
    write_text(os.path.join(out, 'KivoSheetDispatch.gen.cpp'), '\n'.join(c) + '\n')


# ------------------------------------------------------------------ events --

def write_events(out, events):
    h = [HEADER, '#pragma once', '', '#include "control/DispTypes.h"', '',
         '// Receives every fired event with its arguments in declaration order;',
         '// by-reference arguments may be changed by the receiver.',
         'class CKivoSheetEventSink {', 'public:', '    virtual ~CKivoSheetEventSink() = default;',
         '    virtual void FireEvent(const CMemberInfo& event, CDispArg* args) = 0;', '};', '',
         '// The event table, in DISPID order.', 'const CMemberInfo* KivoSheetEventTable(int* count);', '',
         '// One firing helper per event. Without a sink nothing happens and',
         '// by-reference arguments keep their values.',
         'class CKivoSheetEvents {', 'public:',
         '    void SetSink(CKivoSheetEventSink* sink) { m_sink = sink; }',
         '    CKivoSheetEventSink* GetSink() const { return m_sink; }', '']
    for e in events:
        args = ', '.join('%s %s' % (cpp_arg(a.type), a.name) for a in e.args)
        h.append('    void Fire%s(%s);' % (e.name, args))
    h.append('')
    h.append('private:')
    h.append('    CKivoSheetEventSink* m_sink = nullptr;')
    h.append('};')
    write_text(os.path.join(out, 'KivoSheetEvents.gen.h'), '\n'.join(h) + '\n')

    c = [HEADER, '#include "control/KivoSheetEvents.gen.h"', '', 'namespace {', '']
    for e in events:
        if e.args:
            c.append('const DispType kArgs%s[] = {%s};' % (e.name, ', '.join('DispType::' + disp_type(a.type) for a in e.args)))
            c.append('const char* const kNames%s[] = {%s};' % (e.name, ', '.join('"%s"' % a.name for a in e.args)))
    c.append('')
    c.append('const CMemberInfo kEvents[] = {')
    for e in events:
        n = len(e.args)
        a = ('kArgs%s, kNames%s' % (e.name, e.name)) if n else 'nullptr, nullptr'
        c.append('    {%d, "%s", DispType::Void, %d, %s, false},' % (e.dispid, e.name, n, a))
    c.append('};')
    c.append('')
    c.append('}  // namespace')
    c.append('')
    c.append('const CMemberInfo* KivoSheetEventTable(int* count)')
    c.append('{')
    c.append('    if (count != nullptr)')
    c.append('        *count = static_cast<int>(sizeof(kEvents) / sizeof(kEvents[0]));')
    c.append('    return kEvents;')
    c.append('}')
    for i, e in enumerate(events):
        args = ', '.join('%s %s' % (cpp_arg(a.type), a.name) for a in e.args)
        c.append('')
        c.append('void CKivoSheetEvents::Fire%s(%s)' % (e.name, args))
        c.append('{')
        c.append('    if (m_sink == nullptr)')
        c.append('        return;')
        n = len(e.args)
        if n:
            c.append('    CDispArg a[%d];' % n)
            for j, x in enumerate(e.args):
                c.append('    a[%d].type = DispType::%s;' % (j, disp_type(x.type)))
                c.append('    a[%d].%s = %s;' % (j, arg_field(x.type), x.name))
            c.append('    m_sink->FireEvent(kEvents[%d], a);' % i)
            for j, x in enumerate(e.args):
                if x.type.endswith('*') and x.type != 'IDispatch*':
                    c.append('    %s = a[%d].%s;' % (x.name, j, arg_field(x.type)))
        else:
            c.append('    m_sink->FireEvent(kEvents[%d], nullptr);' % i)
        c.append('}')
    write_text(os.path.join(out, 'KivoSheetEvents.gen.cpp'), '\n'.join(c) + '\n')


# --------------------------------------------------------- portable objects --

def obj_arg(t):
    """Portable argument of an object member."""
    return cpp_arg(t)


def obj_out(t):
    """Portable out-parameter of an object member."""
    if t == 'BSTR':
        return 'CString&'
    if t == 'IDispatch*' or t.rstrip('*') in IFACE_NAMES:
        return 'CKivoObjectPtr&'
    return {'long': 'LONG&', 'int': 'LONG&', 'short': 'SHORT&', 'double': 'double&'}.get(t) \
        or ('LONG&' if t in ENUMS else None) or bad('unknown out type ' + t)


def obj_methods(i):
    """(C++ name, portable parameter list, member) for every portable member."""
    res = []
    for m in i.members:
        if m.kind == 'hidden':
            continue
        idx = [(obj_arg(a.type), a.name) for a in m.args]
        if m.kind in ('getput', 'get'):
            res.append(('get_' + m.name, idx + [(obj_out(m.type), 'pVal')], m, 'get'))
        if m.kind in ('getput', 'put'):
            res.append(('put_' + m.name, idx + [(obj_arg(m.type), 'newVal')], m, 'put'))
        if m.kind == 'call':
            params = [(obj_arg(a.type), a.name) for a in m.args]
            if m.out is not None:
                params.append((obj_out(m.out.type), m.out.name))
            res.append((m.name, params, m, 'call'))
    return res


def obj_fail_statement(param, fail):
    """The statement that leaves an out-parameter at its failure value."""
    typ, name = param
    if typ == 'CKivoObjectPtr&':
        return '%s.reset();' % name
    if typ == 'CString&':
        return '%s = CString(%s);' % (name, fail) if fail not in (None, '""') else '%s = CString();' % name
    if typ == 'double&':
        v = fail if fail is not None else '0'
        return '%s = %s;' % (name, v + '.0' if '.' not in v else v)
    return '%s = %s;' % (name, fail if fail is not None else '0')


def write_objects(out, ifaces):
    h = [HEADER, '#pragma once', '', '#include "control/DispTypes.h"', '',
         '// The automation classes, in registration order.', 'enum KivoClass {']
    for n, i in enumerate(ifaces):
        h.append('    KivoClass_%s = %d,' % (i.cls, n))
    h.append('};')
    h.append('')
    h.append('// Class name (e.g. "KivoTree") of a KivoClass value; NULL when out of range.')
    h.append('const char* KivoClassName(int kivoClass);')
    h.append('')
    for i in ifaces:
        h.append('// Members of %s. Until a derived class builds them, each succeeds and' % i.name)
        h.append('// leaves its result at its failure value (0, -1, "" or no object).')
        h.append('class C%sBase : public CKivoObject {' % i.cls)
        h.append('public:')
        h.append('    int GetKivoClass() const override { return KivoClass_%s; }' % i.cls)
        for name, params, m, k in obj_methods(i):
            ps = ', '.join('%s %s' % p for p in params)
            has_out = k == 'get' or (k == 'call' and m.out is not None)
            ins = params[:-1] if has_out else params
            body = ' '.join('(void)%s;' % p[1] for p in ins)
            if has_out:
                body += (' ' if body else '') + obj_fail_statement(params[-1], m.fail)
            h.append('    virtual HRESULT %s(%s) { %s%sreturn kKivoOk; }' % (name, ps, body, ' ' if body else ''))
        h.append('};')
        h.append('')
    write_text(os.path.join(out, 'KivoObjects.gen.h'), '\n'.join(h) + '\n')
    c = [HEADER, '#include "control/KivoObjects.gen.h"', '', 'namespace {', 'const char* const kNames[] = {']
    c.extend('    "%s",' % i.cls for i in ifaces)
    c += ['};', '}  // namespace', '',
          'const char* KivoClassName(int kivoClass)', '{',
          '    if (kivoClass < 0 || kivoClass >= static_cast<int>(sizeof(kNames) / sizeof(kNames[0])))',
          '        return nullptr;', '    return kNames[kivoClass];', '}']
    write_text(os.path.join(out, 'KivoObjects.gen.cpp'), '\n'.join(c) + '\n')


# ----------------------------------------------------- win32 COM classes --

def com_type(t):
    if t == 'BSTR':
        return 'BSTR'
    if t == 'IDispatch*':
        return 'IDispatch*'
    if t.rstrip('*') in IFACE_NAMES:
        return t
    if t == 'void*':
        return 'void*'
    return {'long': 'LONG', 'int': 'INT', 'short': 'SHORT', 'double': 'DOUBLE'}.get(t) \
        or (t if t in ENUMS else None) or bad('unknown COM type ' + t)


def com_in(t, name):
    """Expression converting a COM [in] argument to its portable form."""
    if t == 'BSTR':
        return 'ComString(%s)' % name
    if t == 'IDispatch*':
        # A plain object argument may be the host's own object.
        return 'ComArgObject(%s).Get()' % name
    if t.rstrip('*') in IFACE_NAMES:
        return 'ComObject(%s)' % name
    if t in ENUMS:
        return 'static_cast<LONG>(%s)' % name
    return name


def write_com(out, ifaces):
    c = [HEADER, '#include "control/win32/ComObjects.h"', '#include "control/win32/HostDispatch.h"', '',
         '#include <new>', '', 'namespace {', '']
    for i in ifaces:
        cls = 'C%sCom' % i.cls
        c.append('class %s final : public CKivoComObject<%s> {' % (cls, i.name))
        c.append('public:')
        c.append('    explicit %s(std::unique_ptr<C%sBase> object)' % (cls, i.cls))
        c.append('        : CKivoComObject<%s>(IID_%s, object.get()), m_object(std::move(object)) {}' % (i.name, i.name))
        for m in i.members:
            idx = [(com_type(a.type), a.name) for a in m.args]
            if m.kind in ('getput', 'get'):
                emit_com_call(c, 'get_' + m.name, idx, ('out', m.type, 'pVal'), m.args)
            if m.kind in ('getput', 'put'):
                emit_com_call(c, 'put_' + m.name, idx + [(com_type(m.type), 'newVal')], None,
                              m.args + [Arg('newVal:' + m.type)])
            if m.kind == 'putref':
                # Set obj.Property = value: the same operation as the put.
                emit_com_call(c, 'putref_' + m.name, idx + [(com_type(m.type), 'newVal')], None,
                              m.args + [Arg('newVal:' + m.type)], target='put_' + m.name)
            if m.kind == 'call':
                outp = ('out', m.out.type, m.out.name) if m.out is not None else None
                emit_com_call(c, m.name, idx, outp, m.args)
            if m.kind == 'hidden':
                params = [(com_type(a.type), a.name) for a in m.args]
                if m.out is not None:
                    params.append((com_type(m.out.type) + '*', m.out.name))
                c.append('    HRESULT STDMETHODCALLTYPE %s(%s) override' % (m.name, ', '.join('%s %s' % p for p in params)))
                c.append('    {')
                for p in params:
                    c.append('        (void)%s;' % p[1])
                c.append('        // Records move between the library\'s own objects through')
                c.append('        // IKivoObjectPrivate, never through an address a caller passes:')
                c.append('        // the member succeeds and hands out no address.')
                if m.out is not None:
                    c.append('        if (%s != nullptr)' % m.out.name)
                    c.append('            *%s = nullptr;' % m.out.name)
                c.append('        return S_OK;')
                c.append('    }')
        c.append('private:')
        c.append('    std::unique_ptr<C%sBase> m_object;' % i.cls)
        c.append('};')
        c.append('')
    c.append('}  // namespace')
    c.append('')
    c.append('IDispatch* CreateKivoComObject(std::unique_ptr<CKivoObject> object)')
    c.append('{')
    c.append('    if (!object)')
    c.append('        return nullptr;')
    c.append('    IDispatch* result = nullptr;')
    c.append('    switch (object->GetKivoClass()) {')
    for i in ifaces:
        c.append('    case KivoClass_%s:' % i.cls)
        c.append('        result = new %s(std::unique_ptr<C%sBase>(static_cast<C%sBase*>(object.release())));'
                 % ('C%sCom' % i.cls, i.cls, i.cls))
        c.append('        break;')
    c.append('    default:')
    c.append('        return nullptr;')
    c.append('    }')
    c.append('    result->AddRef();')
    c.append('    return result;')
    c.append('}')
    c.append('')
    c.append('const IID* KivoInterfaceId(int kivoClass)')
    c.append('{')
    c.append('    switch (kivoClass) {')
    for i in ifaces:
        c.append('    case KivoClass_%s: return &IID_%s;' % (i.cls, i.name))
    c.append('    default: return nullptr;')
    c.append('    }')
    c.append('}')
    write_text(os.path.join(out, 'KivoAutomation.gen.cpp'), '\n'.join(c) + '\n')


def emit_com_call(c, name, params, outp, inargs, target=None):
    allp = list(params)
    if outp is not None:
        allp.append((com_type(outp[1]) + '*', outp[2]))
    c.append('    HRESULT STDMETHODCALLTYPE %s(%s) override' % (name, ', '.join('%s %s' % p for p in allp)))
    c.append('    {')
    # No C++ exception leaves through the interface: the body runs inside a
    # catch that answers a failure.
    c.append('        try {')
    body_start = len(c)
    conv = [com_in(a.type, a.name) for a in inargs]
    if outp is not None:
        t, on = outp[1], outp[2]
        c.append('        if (%s == nullptr)' % on)
        c.append('            return E_POINTER;')
        if t == 'BSTR':
            c.append('        CString value;')
            c.append('        HRESULT hr = m_object->%s(%s);' % (name, ', '.join(conv + ['value'])))
            c.append('        if (SUCCEEDED(hr))')
            c.append('            *%s = ComNewString(value);' % on)
        elif t == 'IDispatch*' or t.rstrip('*') in IFACE_NAMES:
            c.append('        CKivoObjectPtr value;')
            c.append('        HRESULT hr = m_object->%s(%s);' % (name, ', '.join(conv + ['value'])))
            c.append('        if (SUCCEEDED(hr))')
            if t == 'IDispatch*':
                c.append('            *%s = CreateKivoComObject(std::move(value));' % on)
            else:
                c.append('            *%s = ComTypedObject<%s>(std::move(value), IID_%s);' % (on, t.rstrip('*'), t.rstrip('*')))
        else:
            pt = obj_out(t)[:-1]
            if t in ENUMS:
                c.append('        %s value = static_cast<%s>(*%s);' % (pt, pt, on))
            else:
                c.append('        %s value = *%s;' % (pt, on))
            c.append('        HRESULT hr = m_object->%s(%s);' % (name, ', '.join(conv + ['value'])))
            c.append('        if (SUCCEEDED(hr))')
            if t in ENUMS:
                c.append('            *%s = static_cast<%s>(value);' % (on, t))
            else:
                c.append('            *%s = value;' % on)
        c.append('        return ComResult(hr);')
    else:
        c.append('        return ComResult(m_object->%s(%s));' % (target or name, ', '.join(conv)))
    c[body_start:] = ['    ' + line for line in c[body_start:]]
    c.append('        } catch (const std::bad_alloc&) {')
    c.append('            return E_OUTOFMEMORY;')
    c.append('        } catch (...) {')
    c.append('            return E_UNEXPECTED;')
    c.append('        }')
    c.append('    }')


def write_text(path, text):
    """Writes a generated file under a temporary name and renames it into place."""
    tmp = path + '.tmp'
    with open(tmp, 'w', encoding='utf-8') as f:
        f.write(text)
    os.replace(tmp, path)


def validate_types(path, props, methods, events, ifaces):
    """Every type the writers map must be known; a fault names its line."""
    for e in events:
        try:
            for a in e.args:
                disp_type(a.type)
                cpp_arg(a.type)
        except ValueError as err:
            fail_at(path, e.line, err)
    for i in ifaces:
        for m in i.members:
            try:
                for a in m.args:
                    com_type(a.type)
                    if m.kind != 'hidden':
                        obj_arg(a.type)
                if m.type is not None:
                    com_type(m.type)
                    obj_arg(m.type)
                    if m.kind not in ('put', 'putref'):
                        obj_out(m.type)
                if m.out is not None:
                    com_type(m.out.type)
                    if m.kind != 'hidden':
                        obj_out(m.out.type)
            except ValueError as err:
                fail_at(path, m.line, err)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    members, guidfile, out = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    enums, props, methods, events, ifaces = parse(members)
    guids = parse_guids(guidfile)
    ENUMS.update(n for n, _ in enums)
    IFACE_NAMES.update(i.name for i in ifaces)
    validate(members, props, methods, events, ifaces)
    validate_types(members, props, methods, events, ifaces)
    for name in ('KIVOSHEETLib', '_DKivoSheet', '_DKivoSheetEvents', 'KivoSheet'):
        if name not in guids:
            sys.exit('%s: error: no identifier for %s' % (guidfile, name))
    for i in ifaces:
        if i.name not in guids or i.cls not in guids:
            fail_at(members, i.line, 'no identifier for %s or %s in %s' % (i.name, i.cls, guidfile))
    write_idl(out, enums, props, methods, events, ifaces, guids)
    write_guids(out, guids, ifaces)
    write_dispatch(out, props, methods)
    write_events(out, events)
    write_objects(out, ifaces)
    write_com(out, ifaces)


if __name__ == '__main__':
    main()
