#!/usr/bin/env python3
"""Writes designer/res/KivoDesigner.rc (menus, accelerators, strings, the About
box) and designer/res/KivoDesigner.ico from the tables below. Run it after
changing a table; the build uses the files it writes.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, '..', 'res')

SEP = None

# Menu 128: no document open.
MENU_128 = [
    ('文件(&F)', [(57600, '&新建\\tCtrl+N'), (57601, '&打开...\\tCtrl+O'), (32939, '运行模板\\tCtrl+R'), SEP,
                 (57606, '打印设置(&R)...'), SEP, (57616, 'Recent File', 'GRAYED'), SEP, (57665, '退出(&E)')]),
    ('视图(&V)', [(59392, '工具栏(&T)'), (59393, '状态栏(&S)')]),
    ('帮助(&H)', [(57664, '关于 卡沃表格...')]),
]

# Menu 129: the document menu, composed from the captions of the commands.
MENU_129 = [
    ('文件(&F)', [(57600, '&新建\\tCtrl+N'), (57601, '打开(&O)...\\tCtrl+O'), (57602, '关闭(&C)'),
                 (57603, '保存(&S)\\tCtrl+S'), (57604, '另存为(&A)...'), SEP,
                 (32939, '运行模板(&R)...\\tCtrl+R'), (32988, '打开加密文件'), (32989, '保存加密文件'), SEP,
                 (33031, '打开BASE64'), (33033, '保存BASE64'), SEP,
                 (32992, '导入EXCEL文件'), (32938, '导出EXCEL文件'), (32955, '导出CSV文件'), SEP,
                 (57607, '打印(&P)...\\tCtrl+P'), (57609, '打印预览(&V)'), (57606, '页面设置(&E)...'), SEP,
                 (57616, 'Recent File', 'GRAYED'), SEP, (57665, '退出(&X)')]),
    ('编辑(&E)', [(57635, '剪切(&X)\\tCtrl+X'), (57634, '复制(&C)\\tCtrl+C'), (57637, '粘贴(&P)\\tCtrl+V'), SEP,
                 (32774, '表格属性...')]),
    ('视图(&V)', [(59392, '工具栏(&T)'), (59393, '状态栏(&S)')]),
    ('表格(&T)', [
        ('列', [(32841, '增列'), (32839, '删列'), SEP, (32857, '设置列宽'), (32787, '最适合列宽'), SEP,
                (32790, '隐藏'), (32795, '显示'), SEP, (32799, '设置列数')]),
        ('行', [(32840, '增行'), (32819, '删行'), SEP, (32855, '设置行高'), (32782, '最合适行高'), SEP,
                (32785, '隐藏'), (32786, '显示'), SEP, (32798, '设置行数')]),
        ('合并', [(32816, '合并单元格'), (32817, '取消合并单元格'), (32853, '合并居中'),
                  (32844, '合并所选区域行'), (32847, '合并所选区域列')]),
        ('排序', [(32775, '升序'), (32797, '降序'), SEP, (32906, '按字符'), (32907, '按数值'), SEP,
                  (32864, '点击列标排序')]),
        ('树', [(32776, '添加树'), (32777, '删除树'), SEP, (32802, '添加子节点'), (32911, '添加兄弟节点'),
                (32916, '删除节点'), SEP, (32778, '展开节点'), (32779, '收缩节点'), (32914, '全部展开'), SEP,
                (33005, '升级节点'), (33002, '降级节点'), (33003, '上移节点'), (33004, '下移节点'), SEP,
                (32915, '属性...')]),
        SEP,
        (32931, '设置固定行数'), (32932, '设置固定列数'), (32977, '固化行'), (32980, '固化列'),
        (32981, '初始固定行'), (32982, '初始固定列'), SEP, (33017, '冻结'), SEP, (33030, '粘贴设置'),
        (33041, '自定义皮肤')]),
    ('公式(&A)', [
        ('常用公式', [(32966, 'Sum'), (32967, 'Average'), (32968, 'Count'), (32969, 'Max'), (32970, 'Min'),
                      (32971, 'If'), SEP, (32972, '更多函数...')]),
        (32963, '公式列表'), SEP, (32965, '添加自定义公式'), (32974, '添加自定义常量'), (32973, '常量列表'), SEP,
        (32975, '重新计算'), (32964, '全部重算')]),
    ('单元格(&C)', [
        ('字体', [(32808, '设置粗体'), (32809, '设置斜体'), (32810, '设置下划线'), (32811, '设置删除线'), SEP,
                  (32806, '设置字体颜色'), (32807, '设置单元格背景')]),
        ('对齐', [(32812, '左对齐'), (32813, '居中'), (32814, '居右'), SEP, (32850, '垂上'),
                  (32851, '垂直居中'), (32852, '居下')]),
        ('边框', [(32823, '设置左边框'), (32825, '设置上边框'), (32842, '设置右边框'), (32826, '设置下边框'), SEP,
                  (32827, '设置全边框'), (32908, '设置外边框'), (32909, '设置内边框'), (32884, '清除所有边框'), SEP,
                  (32886, '边框线条颜色')]),
        ('控件类型', [(32867, '普通'), (32868, '数值'), (32869, '按钮'), (32870, '复选'), (32871, '下拉框'),
                      (32872, '复选下拉框'), (32873, '日期/时间'), (32874, 'URL地址'), (32882, '超级编辑框')]),
        ('显示格式', [(32875, '数字'), (32876, '货币'), (32877, '日期'), (32878, '布尔'), (32879, '百分比'),
                      (32880, '科学计数')]),
        SEP,
        (32927, '自动折行'), (32846, '设置单元格只读'), (32849, '取消单元格只读'), SEP, (32830, '插入提示'),
        (32832, '删除提示'), SEP, (33022, '插入图片'), (33023, '图片列表'), (33025, '插入备注'), (33026, '删除备注')]),
    ('数据库(&D)', [(32976, '报表向导(&G)'), SEP, (32940, '链接(&L)'), (32941, '数据集(&S)'), (32942, '绑定对象(&I)'),
                    (32943, '绑定字段(&F)'), (32954, '动态查询(&D)'), SEP, (32944, '测试模板(&R)')]),
    ('工具(&O)', [(32945, '关联文件'), (32953, '重新合并'), (33000, '批量转换EXCEL文件')]),
    ('窗口(&W)', [(57648, '新建窗口(&N)'), (57650, '层叠(&C)'), (57651, '平铺(&T)'), (57649, '排列图标(&A)')]),
    ('帮助(&H)', [(57664, '关于 卡沃表格...'), (32929, '控件版本'), (32930, '联系我们')]),
]

# Status texts and tool tips ("status\ntip") of the toolbar buttons and menu items.
STRINGS = {
    57600: '建立新文档\n新建', 57601: '打开一个现有文档\n打开', 57602: '关闭活动文档\n关闭',
    57603: '保存活动文档\n保存', 57604: '用新名称保存活动文档\n另存为', 57606: '更改打印机选项\n打印设置',
    57607: '打印活动文档\n打印', 57609: '显示整页\n打印预览', 57634: '复制选定内容并将其放到剪贴板上\n复制',
    57635: '剪切选定内容并将其放到剪贴板上\n剪切', 57637: '插入剪贴板内容\n粘贴', 57664: '显示程序信息、版本号和版权\n关于',
    57665: '退出应用程序\n退出', 59392: '显示或隐藏工具栏\n显隐工具栏', 59393: '显示或隐藏状态栏\n显隐状态栏',
    57616: '打开该文档', 57617: '打开该文档', 57618: '打开该文档', 57619: '打开该文档',
    57648: '为活动文档打开另一个窗口\n新建窗口', 57649: '将图标排列在窗口底部\n排列图标',
    57650: '排列窗口成相互重叠\n层叠窗口', 57651: '排列窗口成互不重叠\n平铺窗口',
    32939: '运行模板\n运行模板', 32992: '导入EXCEL文件\n导入EXCEL文件', 32938: '导出EXCEL文件\n导出EXCEL文件',
    32957: '弹出窗口预览\n弹出窗口预览', 33041: '自定义皮肤\n自定义皮肤',
    32835: '字体\n字体', 32836: '字号\n字号', 32935: '插行参照\n插行参照', 32937: '插列参照\n插列参照',
    32950: '设置表格大小\n设置表格大小', 32983: '自适应行高\n自适应行高', 32984: '自适应列宽\n自适应列宽',
    33013: '设置上左冻结\n设置上左冻结', 33015: '设置下右冻结\n设置下右冻结', 32885: '线条样式\n线条样式',
    32991: '取得当前单元格控件XML\n取得当前单元格控件XML', 33010: '取得当前单元格格式化XML\n取得当前单元格格式化XML',
    33034: '右斜线\n右斜线', 33036: '左斜线\n左斜线', 33038: '右双斜线\n右双斜线', 33039: '左双斜线\n左双斜线',
    33040: '全边框(包括左右对角线)\n全边框(包括左右对角线)', 32959: '设置公式\n设置公式', 32960: '选择公式列表\n选择公式列表',
    32837: '升序排列\n升序排列', 32843: '降序排列\n降序排列',
    0xE000: '翠禾报表设计器', 0xE001: '就绪', 0xE002: '大写', 0xE003: '数字', 0xE004: '滚动',
    0xE100: '就绪',
    128: '翠禾报表设计器(企业版)',
    129: '\n卡沃表格\n翠禾报表设计\n卡沃文件(*.kvx)\n.kvx\nKivoSheetDesigner.Document\n翠禾文档',
}


def caption_strings():
    """A status text and tip for every menu command without one: its caption."""
    found = {}

    def walk(items):
        for it in items:
            if it is SEP:
                continue
            if isinstance(it[1], list):
                walk(it[1])
                continue
            text = it[1].split('\\t')[0].replace('&', '')
            found.setdefault(it[0], '%s\n%s' % (text, text))
    for _, items in MENU_128 + MENU_129:
        walk(items)
    return found


def rc_text(s):
    return s.replace('\\', '\\\\').replace('"', '""').replace('\n', '\\n').replace('\\\\t', '\\t')


def menu(out, mid, popups):
    out.append('%d MENU' % mid)
    out.append('BEGIN')

    def items(lst, depth):
        pad = '    ' * depth
        for it in lst:
            if it is SEP:
                out.append(pad + 'MENUITEM SEPARATOR')
            elif isinstance(it[1], list):
                out.append(pad + 'POPUP "%s"' % rc_text(it[0]))
                out.append(pad + 'BEGIN')
                items(it[1], depth + 1)
                out.append(pad + 'END')
            else:
                flags = (', ' + it[2]) if len(it) > 2 else ''
                out.append(pad + 'MENUITEM "%s", %d%s' % (rc_text(it[1]), it[0], flags))
    items([(name, lst) for name, lst in popups], 1)
    out.append('END')
    out.append('')


def write_icon(path):
    # A 32 x 32 icon of our own: a sheet with a blue header row and grid lines.
    w = h = 32
    rows = []
    for y in range(h):
        row = b''
        for x in range(w):
            top = h - 1 - y
            if x < 2 or x > 29 or top < 2 or top > 29:
                c = (0, 0, 0, 0)
            elif x == 2 or x == 29 or top == 2 or top == 29:
                c = (40, 40, 40, 255)
            elif top < 10:
                c = (200, 120, 30, 255)
            elif (x - 2) % 9 == 0 or (top - 2) % 6 == 0:
                c = (160, 160, 160, 255)
            else:
                c = (255, 255, 255, 255)
            row += bytes(c)
        rows.append(row)
    xor = b''.join(rows)
    andmask = b'\x00' * (4 * h)
    bih = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    image = bih + xor + andmask
    header = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', w, h, 0, 0, 1, 32, len(image), 22)
    with open(path, 'wb') as f:
        f.write(header + image)


# Resource files of the command families, included at the end.
INCLUDED = ['FileTableHelp', 'Editing', 'CellControl', 'Database']


def main():
    out = ['#pragma code_page(65001)', '// Written by designer/tools/make_resources.py.', '#include <windows.h>', '',
           '128 ICON "KivoDesigner.ico"', '129 ICON "KivoDesigner.ico"', '']
    menu(out, 128, MENU_128)
    menu(out, 129, MENU_129)
    out += ['128 ACCELERATORS', 'BEGIN',
            '    "C", 57634, VIRTKEY, CONTROL, NOINVERT', '    VK_INSERT, 57634, VIRTKEY, CONTROL, NOINVERT',
            '    "N", 57600, VIRTKEY, CONTROL, NOINVERT', '    "O", 57601, VIRTKEY, CONTROL, NOINVERT',
            '    "P", 57607, VIRTKEY, CONTROL, NOINVERT', '    "S", 57603, VIRTKEY, CONTROL, NOINVERT',
            '    "R", 32939, VIRTKEY, CONTROL, NOINVERT',
            '    "V", 57637, VIRTKEY, CONTROL, NOINVERT', '    VK_INSERT, 57637, VIRTKEY, SHIFT, NOINVERT',
            '    VK_BACK, 57643, VIRTKEY, ALT, NOINVERT', '    "Z", 57643, VIRTKEY, CONTROL, NOINVERT',
            '    VK_DELETE, 57635, VIRTKEY, SHIFT, NOINVERT', '    "X", 57635, VIRTKEY, CONTROL, NOINVERT',
            '    VK_F6, 57680, VIRTKEY, NOINVERT', '    VK_F6, 57681, VIRTKEY, SHIFT, NOINVERT', 'END', '']
    strings = caption_strings()
    strings.update(STRINGS)
    out += ['STRINGTABLE', 'BEGIN']
    for k in sorted(strings):
        out.append('    %d "%s"' % (k, rc_text(strings[k])))
    out += ['END', '']
    out += ['100 DIALOGEX 0, 0, 264, 55', 'STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU',
            'CAPTION "关于设计器"', 'FONT 9, "宋体"', 'BEGIN', '    ICON 128, -1, 11, 17, 20, 20',
            '    LTEXT "KivoPGDesigner Version 4.5.1", -1, 40, 10, 160, 8, SS_NOPREFIX',
            '    DEFPUSHBUTTON "确定", IDOK, 207, 7, 50, 14, WS_GROUP', 'END', '']
    # The dialogs of each command family are written by hand in a file of
    # their own.
    out += ['#include "%s.rc"' % name for name in INCLUDED]
    out += ['']
    with open(os.path.join(RES, 'KivoDesigner.rc'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(out))
    write_icon(os.path.join(RES, 'KivoDesigner.ico'))


if __name__ == '__main__':
    main()
