"""Writes tests/designer/native/RecordingObjects.h, the recording stand-ins
of the database objects, from the designer's generated object interfaces.

Usage: gen_recording_objects.py BUILD/generated/designer/GridObjects.gen.h OUT.h
Run it again when the object interfaces change.
"""
import re,sys
src=open(sys.argv[1]).read()
want=['IKivoDatabase','IKivoDataSet','IKivoBind','IKivoBindField','IKivoBindGroupRowInfo','IKivoCellBorder']
out=[]
out.append('''// Recording stand-ins of the database objects: each wraps the control's own
// object, writes "Interface.Member" of every call that changes it into a
// shared log and passes the call on; objects it hands out are wrapped too,
// and wrapped objects passed in are unwrapped. Tests read the log to see
// the order of property sets. Written by
// tests/designer/tools/gen_recording_objects.py from the generated interfaces.
#pragma once

#include "designer/GridObjects.gen.h"

#include <memory>
#include <string>
#include <vector>

namespace designertest {

using CallLog = std::vector<std::string>;

inline IKivoObject* InnerObject(IKivoObject* object);
''')
for name in want:
    out.append('inline std::unique_ptr<%s> RecordObject(std::unique_ptr<%s> inner, CallLog& log);'%(name,name))
out.append('')
decls={}
for name in want:
    m=re.search(r'class %s : public IKivoObject \{\npublic:\n(.*?)\n\};'%name, src, re.S)
    body=m.group(1)
    meths=re.findall(r'virtual (.+?) (\w+)\((.*?)\) = 0;', body)
    decls[name]=meths
for name in want:
    rec='Rec'+name[5:]
    out.append('class %s final : public %s {'%(rec,name))
    out.append('public:')
    out.append('    %s(std::unique_ptr<%s> inner, CallLog& log) : m_inner(std::move(inner)), m_log(log) {}'%(rec,name))
    out.append('    %s* Inner() const { return m_inner.get(); }'%name)
    for ret,mn,params in decls[name]:
        args=[]
        if params.strip():
            for p in params.split(','):
                p=p.strip(); an=p.split()[-1]; ty=p[:-len(an)].strip()
                if ty.endswith('*') and ty.startswith('IKivo'):
                    args.append('static_cast<%s>(InnerObject(%s))'%(ty,an))
                else:
                    args.append(an)
        call='m_inner->%s(%s)'%(mn,', '.join(args))
        logit = not mn.startswith('Get') and mn not in ('FindField','FindDataSet','IsOpen')
        line='    %s %s(%s) override { '%(ret,mn,params)
        if logit: line+='m_log.push_back("%s.%s"); '%(name[5:],mn)
        if ret.startswith('std::unique_ptr<'):
            line+='return RecordObject(%s, m_log); }'%call
        elif ret=='void':
            line+='%s; }'%call
        else:
            line+='return %s; }'%call
        out.append(line)
    out.append('private:')
    out.append('    std::unique_ptr<%s> m_inner;'%name)
    out.append('    CallLog& m_log;')
    out.append('};')
    out.append('')
for name in want:
    rec='Rec'+name[5:]
    out.append('inline std::unique_ptr<%s> RecordObject(std::unique_ptr<%s> inner, CallLog& log)\n{\n    if (!inner)\n        return nullptr;\n    return std::make_unique<%s>(std::move(inner), log);\n}'%(name,name,rec))
out.append('inline IKivoObject* InnerObject(IKivoObject* object)\n{')
for name in want:
    rec='Rec'+name[5:]
    out.append('    if (auto* r = dynamic_cast<%s*>(object))\n        return r->Inner();'%rec)
out.append('    return object;\n}\n\n}  // namespace designertest')
open(sys.argv[2],'w').write('\n'.join(out)+'\n')
