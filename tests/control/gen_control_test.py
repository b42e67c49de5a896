#!/usr/bin/env python3
"""The generator of the automation surface refuses member tables it cannot
generate faithfully: each fault stops it with a message naming the line, and
a sound table still generates.

Usage: gen_control_test.py GENERATOR GUIDS

Run by ctest in the native tree. When GTEST_OUTPUT asks for XML reports
("xml:DIR/"), a report in GoogleTest's shape goes to DIR/test_gen_control.xml,
so the test run counts these cases with the others.
"""
import os
import subprocess
import sys
import tempfile
import unittest
from xml.sax.saxutils import quoteattr

GENERATOR = None
GUIDS = None
REPORT_NAME = 'test_gen_control'

# A sound table: every kind of line, options of every kind.
SOUND = '''\
enum Flags F_NONE=0 F_ONE=1
property 1 Colour long redraw=ctl
method 5 SetCell bool check=cell:nRow,nCol redraw=all nRow:long nCol:long strValue:BSTR
method 6 GetText BSTR fail="none" nRow:long
method 7 GetPair bool nRow:long a:long* b:long*
method 8 GetPairJ long fail=-1 j=GetPair:1,0 nRow:long iGetType:short
method 9 Find long fail=-1 check=range:r1,c1,r2,c2 check=nonvirtual r1:long c1:long r2:long c2:long
event 1 Clicked nRow:long
event 2 Typed nChar:long*
interface IKivoFont KivoFont
  getput 1 nSize long
  get 2 arBorder IKivoCellBorder* iPos:short
  put 2 arBorder IKivoCellBorder* iPos:short
  putref 2 arBorder IKivoCellBorder* iPos:short
  call 3 Find strName:BSTR -> nIndex:long fail=-1
  get 4 strXml BSTR fail="<font/>"
end
interface IKivoCellBorder KivoCellBorder
  getput 1 crLineColor long
end
'''

# (what, table, line of the fault, words the message must hold)
FAULTS = [
    ('duplicate method name', 'method 5 A bool\nmethod 6 B bool\nmethod 7 A long\n', 3, 'duplicate member name A'),
    ('method names differing in case only', 'method 5 Abc bool\nmethod 6 ABC bool\n', 2, 'duplicate member name'),
    ('method named as a property', 'property 1 P long\nmethod 5 P bool\n', 2, 'duplicate member name'),
    ('duplicate member DISPID', 'property 1 P long\nmethod 5 A bool\nmethod 5 B bool\n', 3, 'duplicate DISPID 5'),
    ('duplicate event DISPID', 'event 1 A\nevent 2 B\nevent 1 C nRow:long\n', 3, 'duplicate event DISPID 1'),
    ('duplicate event name', 'event 1 A\nevent 2 A\n', 2, 'duplicate event name A'),
    ('duplicate interface member DISPID',
     'interface IKivoFont KivoFont\n  getput 1 a long\n  getput 2 b long\n  call 1 c\nend\n', 4,
     'duplicate DISPID 1 in IKivoFont'),
    ('get and put of different names on one DISPID',
     'interface IKivoFont KivoFont\n  get 1 a long\n  put 1 b long\nend\n', 3, 'duplicate DISPID 1'),
    ('duplicate interface member name',
     'interface IKivoFont KivoFont\n  getput 1 a long\n  call 2 a\nend\n', 3, 'duplicate member name a'),
    ('fail= on an object method', 'method 5 A IDispatch* fail=0\n', 1, 'object member'),
    ('fail= on a method without a result', 'method 5 A void fail=-1\n', 1, 'without a result'),
    ('unquoted text failure value', 'method 5 A BSTR fail=none\n', 1, 'written "TEXT"'),
    ('true failure value of a bool', 'method 5 A bool fail=-1\n', 1, 'bool member fails with 0'),
    ('failure value that is no number', 'method 5 A long fail=x\n', 1, 'not a number'),
    ('fail= on an object out-parameter',
     'interface IKivoFont KivoFont\n  call 1 a -> p:IDispatch* fail=0\nend\n', 2, 'object member'),
    ('fail= on a put', 'interface IKivoFont KivoFont\n  put 1 a long fail=1\nend\n', 2, 'fail='),
    ('check naming no argument', 'method 5 A bool check=cell:nRow,nCol nRow:long\n', 1, 'nCol'),
    ('check of a text argument', 'method 5 A bool check=scrollrow:s s:BSTR\n', 1, 'not an integer'),
    ('unknown check', 'method 5 A bool check=row:nRow nRow:long\n', 1, 'unknown check row'),
    ('check with too few names', 'method 5 A bool check=range:a,b a:long b:long\n', 1, 'takes 4'),
    ('unknown redraw mark', 'method 5 A bool redraw=all,screen\n', 1, 'unknown redraw mark screen'),
    ('redraw mark twice', 'method 5 A bool redraw=all,all\n', 1, 'twice'),
    ('unknown option', 'method 5 A bool colour=red\n', 1, 'unknown option colour'),
    ('option after the arguments', 'method 5 A bool nRow:long redraw=all\n', 1, 'before the arguments'),
    ('J member of no base', 'method 5 AJ long j=A iGetType:short\n', 1, 'no such method'),
    ('J selector order past the values',
     'method 5 A bool x:long* y:long*\nmethod 6 AJ long j=A:0,2 iGetType:short\n', 2, 'value 2 of 2'),
    ('J member with other arguments than its base',
     'method 5 A bool nRow:long x:long*\nmethod 6 AJ long j=A nCol:long iGetType:short\n', 2, "base's by-value"),
    ('J value of another type', 'method 5 A bool x:double*\nmethod 6 AJ long j=A iGetType:short\n', 2,
     'the member answers long'),
    ('J member without a selector over two values',
     'method 5 A bool x:long* y:long*\nmethod 6 AJ long j=A\n', 2, 'only by-reference value'),
    ('unknown argument type', 'method 5 A bool x:colour\n', 1, 'unknown'),
    ('object put without its putref',
     'interface IKivoFont KivoFont\n  get 1 a IKivoFont*\n  put 1 a IKivoFont*\nend\n', 3, 'has no putref'),
    ('object getput without its putref',
     'interface IKivoFont KivoFont\n  getput 1 a IDispatch*\nend\n', 2, 'has no putref'),
    ('putref without a put',
     'interface IKivoFont KivoFont\n  get 1 a IKivoFont*\n  putref 1 a IKivoFont*\nend\n', 3, 'has no put'),
    ('putref of a number',
     'interface IKivoFont KivoFont\n  getput 1 a long\n  putref 1 a long\nend\n', 3, 'whose type is an object'),
    ('putref with other index arguments than its put',
     'interface IKivoFont KivoFont\n  put 1 a IKivoFont* i:short\n  putref 1 a IKivoFont* i:long\nend\n', 3,
     'differs from its put'),
    ('putref twice',
     'interface IKivoFont KivoFont\n  put 1 a IKivoFont*\n  putref 1 a IKivoFont*\n  putref 1 a IKivoFont*\nend\n',
     4, 'duplicate DISPID 1'),
    ('get beside a getput',
     'interface IKivoFont KivoFont\n  getput 1 a long\n  get 1 a long\nend\n', 3, 'duplicate DISPID 1'),
    ('fail= on a putref',
     'interface IKivoFont KivoFont\n  put 1 a IKivoFont*\n  putref 1 a IKivoFont* fail=0\nend\n', 3, 'fail='),
    ('interface without end', 'interface IKivoFont KivoFont\n  getput 1 a long\n', 1, 'no end'),
]


def run(table):
    """(exit code, stderr, output folder) of the generator over a table."""
    tmp = tempfile.mkdtemp(prefix='gen_control_test.')
    path = os.path.join(tmp, 'test.members')
    with open(path, 'w', encoding='utf-8') as f:
        f.write(table)
    out = os.path.join(tmp, 'out')
    p = subprocess.run([sys.executable, GENERATOR, path, GUIDS, out], capture_output=True, text=True)
    return p.returncode, p.stderr, out, path


class RefusedTables(unittest.TestCase):
    def test_each_fault_stops_the_generator_naming_its_line(self):
        for what, table, line, words in FAULTS:
            with self.subTest(what):
                code, err, out, path = run(table)
                self.assertNotEqual(code, 0, what)
                self.assertIn('%s:%d:' % (path, line), err, what)
                self.assertIn(words, err, what)
                # Nothing is generated from a refused table.
                self.assertFalse(os.path.exists(os.path.join(out, 'KivoSheetDispatch.gen.h')), what)


class SoundTables(unittest.TestCase):
    def generate(self, table):
        code, err, out, _ = run(table)
        self.assertEqual(code, 0, err)
        texts = {}
        for name in os.listdir(out):
            self.assertFalse(name.endswith('.tmp'), name)
            with open(os.path.join(out, name), encoding='utf-8') as f:
                texts[name] = f.read()
        return texts

    def test_text_failure_values_are_honoured(self):
        texts = self.generate(SOUND)
        header = texts['KivoSheetDispatch.gen.h']
        self.assertIn('virtual CString DoGetText(LONG nRow) { (void)nRow; return CString("none"); }', header)
        objects = texts['KivoObjects.gen.h']
        self.assertIn('pVal = CString("<font/>");', objects)
        self.assertIn('nIndex = -1;', objects)
        self.assertIn('return kKivoOk;', objects)
        self.assertNotIn('kKivoNotBuilt', objects)

    def test_checks_redraw_and_selector_are_generated(self):
        body = self.generate(SOUND)['KivoSheetDispatch.gen.cpp']
        self.assertIn('if (!DispCheckCell(grid, nRow, nCol))', body)
        self.assertIn('if (!DispCheckRange(grid, r1, c1, r2, c2) || !DispCheckNonVirtual(grid))', body)
        self.assertIn('DispRedraw(DispatchGrid(), DispatchWindow(), kDispRedrawAll);', body)
        self.assertIn('DispRedraw(DispatchGrid(), DispatchWindow(), kDispRedrawControl);', body)
        # GetPairJ: selector 0 picks the second value, 1 the first.
        self.assertIn('    case 0:\n        return v1;\n    case 1:\n        return v0;', body)

    def test_object_properties_are_put_by_reference_too(self):
        texts = self.generate(SOUND)
        idl = texts['KivoSheet.idl']
        put = '[propput, id(2)] HRESULT arBorder([in] short iPos, [in] IKivoCellBorder* newVal);'
        putref = '[propputref, id(2)] HRESULT arBorder([in] short iPos, [in] IKivoCellBorder* newVal);'
        self.assertIn(put, idl)
        self.assertIn(putref, idl)
        # The virtual-table order is the table's: the putref follows the put.
        self.assertLess(idl.index(put), idl.index(putref))
        com = texts['KivoAutomation.gen.cpp']
        self.assertIn('HRESULT STDMETHODCALLTYPE putref_arBorder(SHORT iPos, IKivoCellBorder* newVal) override', com)
        body = com[com.index('putref_arBorder'):]
        self.assertIn('return ComResult(m_object->put_arBorder(iPos, ComObject(newVal)));',
                      body[:body.index('}')])
        # Both forms reach the one portable put; nothing else has a putref.
        objects = texts['KivoObjects.gen.h']
        self.assertIn('put_arBorder(SHORT iPos, CKivoObject* newVal)', objects)
        self.assertNotIn('putref', objects)
        self.assertEqual(idl.count('propputref'), 1)

    def test_the_shipped_table_generates(self):
        members = os.path.join(os.path.dirname(GENERATOR), '..', 'KivoSheet.members')
        with open(members, encoding='utf-8') as f:
            texts = self.generate(f.read())
        self.assertIn('KivoSheet.idl', texts)
        # Every property whose type is an object can be set by a script's Set.
        idl = texts['KivoSheet.idl']
        for line in idl.splitlines():
            if '[propput,' in line and ('IKivo' in line.split('[in]')[-1] or 'IDispatch*' in line.split('[in]')[-1]):
                self.assertIn(line.replace('[propput,', '[propputref,'), idl)


def write_report(result, cases, folder):
    failures = {name: msg for name, msg in result}
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<testsuites tests="%d" failures="%d" name="AllTests">' % (len(cases), len(failures)),
             '  <testsuite name="GenControl" tests="%d" failures="%d">' % (len(cases), len(failures))]
    for name in cases:
        lines.append('    <testcase name=%s status="run" result="completed" classname="GenControl">' % quoteattr(name))
        if name in failures:
            lines.append('      <failure message=%s/>' % quoteattr(failures[name][:2000]))
        lines.append('    </testcase>')
    lines += ['  </testsuite>', '</testsuites>']
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, REPORT_NAME + '.xml')
    with open(path + '.tmp', 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines) + '\n')
    os.replace(path + '.tmp', path)


def main():
    global GENERATOR, GUIDS
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    GENERATOR, GUIDS = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    cases = [t.id().split('.', 1)[1] for t in _flatten(suite)]
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    # A failed sub-test fails the case it belongs to.
    failed = [(getattr(t, 'test_case', t).id().split('.', 1)[1], msg) for t, msg in result.failures + result.errors]
    report = os.environ.get('GTEST_OUTPUT', '')
    if report.startswith('xml:'):
        write_report(failed, cases, report[4:] or '.')
    sys.exit(0 if result.wasSuccessful() else 1)


def _flatten(suite):
    for t in suite:
        if isinstance(t, unittest.TestSuite):
            yield from _flatten(t)
        else:
            yield t


if __name__ == '__main__':
    main()
