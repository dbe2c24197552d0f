#!/usr/bin/env python3
"""Writes the small documents the filter tests read. Run from this folder;
the outputs are committed, so this is only needed to change them."""
import zipfile

W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'


def write_zip(name, parts, stored=()):
    with zipfile.ZipFile(name, 'w', zipfile.ZIP_DEFLATED) as z:
        for part, text in parts:
            data = text if isinstance(text, bytes) else text.encode('utf-8')
            z.writestr(part, data,
                       zipfile.ZIP_STORED if part in stored else zipfile.ZIP_DEFLATED)


write_zip('sample.docx', [
    ('[Content_Types].xml', '<Types/>'),
    ('word/document.xml', f'''<?xml version="1.0" encoding="UTF-8"?>
<w:document {W}><w:body>
<w:p><w:pPr><w:tabs><w:tab w:val="left" w:pos="720"/></w:tabs></w:pPr>
<w:r><w:t>第一段落</w:t></w:r><w:r><w:t xml:space="preserve">です。</w:t></w:r></w:p>
<w:p><w:r><w:t>前</w:t><w:tab/><w:t>後</w:t><w:br/><w:t>改行の後</w:t></w:r></w:p>
<w:p/>
<w:p><w:del><w:r><w:delText>消した字</w:delText></w:r></w:del><w:r><w:t>田中／残った字</w:t></w:r></w:p>
<w:tbl><w:tr><w:tc><w:p><w:r><w:t>表の中</w:t></w:r></w:p></w:tc></w:tr></w:tbl>
</w:body></w:document>'''),
])

write_zip('sample.odt', [
    ('mimetype', 'application/vnd.oasis.opendocument.text'),
    ('content.xml', '''<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/"><office:body><office:text>
<text:h text:outline-level="1">見出し</text:h>
<text:p>本文<text:s text:c="2"/>です<text:tab/>タブ<text:line-break/>二行目</text:p>
<text:p>注釈<office:annotation><dc:creator>誰か</dc:creator><text:p>メモ</text:p></office:annotation>の後<text:span>も続く</text:span></text:p>
</office:text></office:body></office:document-content>'''),
], stored=('mimetype',))

S = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
write_zip('sample.xlsx', [
    ('xl/workbook.xml', f'<workbook {S}><sheets/></workbook>'),
    ('xl/sharedStrings.xml', f'''<sst {S} count="2" uniqueCount="2">
<si><t>東京</t><rPh sb="0" eb="2"><t>トウキョウ</t></rPh></si>
<si><r><t>大</t></r><r><t>阪</t></r></si></sst>'''),
    ('xl/worksheets/sheet1.xml', f'''<worksheet {S}><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1"><v>42</v></c></row>
<row r="2"><c r="B2" t="inlineStr"><is><t>直接</t></is></c><c r="C2" t="s"><v>1</v></c></row>
</sheetData></worksheet>'''),
    ('xl/worksheets/sheet10.xml', f'<worksheet {S}><sheetData><row r="1"><c r="A1" t="b"><v>1</v></c></row></sheetData></worksheet>'),
    ('xl/worksheets/sheet2.xml', f'<worksheet {S}><sheetData><row r="1"><c r="A1" t="str"><v>二枚目</v></c></row></sheetData></worksheet>'),
])

A = ('xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" '
     'xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"')


def slide(*paras):
    body = ''.join(f'<a:p>{p}</a:p>' for p in paras)
    return f'<p:sld {A}><p:cSld><p:spTree><p:sp><p:txBody>{body}</p:txBody></p:sp></p:spTree></p:cSld></p:sld>'


write_zip('sample.pptx', [
    ('ppt/presentation.xml', f'<p:presentation {A}/>'),
    ('ppt/slides/slide1.xml', slide('<a:r><a:t>一枚目の題</a:t></a:r>',
                                    '<a:r><a:t>行A</a:t></a:r><a:br/><a:r><a:t>行B</a:t></a:r>')),
    ('ppt/slides/slide10.xml', slide('<a:r><a:t>十枚目</a:t></a:r>')),
    ('ppt/slides/slide2.xml', slide('<a:pPr><a:tabLst><a:tab pos="0"/></a:tabLst></a:pPr><a:r><a:t>二枚目</a:t></a:r>')),
])

# A docx whose document part is cut short: the directory is intact, the data not.
with open('sample.docx', 'rb') as f:
    data = bytearray(f.read())
start = data.find(b'word/document.xml') + len('word/document.xml')
data[start + 10:start + 40] = bytes(30)
with open('damaged.docx', 'wb') as f:
    f.write(data)


def pdf(lines):
    content = 'BT /F1 12 Tf 72 720 Td 14 TL ' + ' '.join(f'({l}) Tj T*' for l in lines) + ' ET'
    objects = [
        '<< /Type /Catalog /Pages 2 0 R >>',
        '<< /Type /Pages /Kids [3 0 R] /Count 1 >>',
        '<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R '
        '/Resources << /Font << /F1 5 0 R >> >> >>',
        f'<< /Length {len(content)} >>\nstream\n{content}\nendstream',
        '<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>',
    ]
    out = b'%PDF-1.4\n'
    offsets = []
    for i, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += f'{i} 0 obj\n{body}\nendobj\n'.encode('latin-1')
    xref = len(out)
    out += f'xref\n0 {len(objects) + 1}\n0000000000 65535 f \n'.encode()
    out += ''.join(f'{o:010d} 00000 n \n' for o in offsets).encode()
    out += f'trailer\n<< /Size {len(objects) + 1} /Root 1 0 R >>\nstartxref\n{xref}\n%%EOF\n'.encode()
    return out


with open('sample.pdf', 'wb') as f:
    f.write(pdf(['Caption roll', 'Second line']))

# Hostile and damaged documents: each gives the text read up to the problem.
def word(body):
    return f'<?xml version="1.0" encoding="UTF-8"?>\n<w:document {W}><w:body>\n{body}\n</w:body></w:document>'.encode('utf-8')


def para(text):
    return f'<w:p><w:r><w:t>{text}</w:t></w:r></w:p>'


write_zip('invalid-byte.docx', [('word/document.xml', word(
    para('前の段落') + '\n' + para('壊れ\x00た字') + '\n' + para('後の段落')).replace(b'\x00', b'\xff'))])
write_zip('undefined-entity.docx', [('word/document.xml', word(
    para('前の段落') + '\n' + para('空白&nbsp;の後') + '\n' + para('後の段落')))])
write_zip('truncated-part.docx', [('word/document.xml', word(
    para('前の段落') + '\n' + para('途中で切れた段落') + '\n' + para('後の段落'))[:-93])])

write_zip('many-spaces.odt', [
    ('mimetype', 'application/vnd.oasis.opendocument.text'),
    ('content.xml', '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
                    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:text>\n'
                    '<text:p>前<text:s text:c="2000000000"/>後</text:p>\n<text:p>次</text:p>\n'
                    '</office:text></office:body></office:document-content>'),
], stored=('mimetype',))

write_zip('last-column.xlsx', [
    ('xl/workbook.xml', f'<workbook {S}><sheets/></workbook>'),
    ('xl/worksheets/sheet1.xml', f'<worksheet {S}><sheetData>\n'
     + '<row><c r="XFD1"><v>1</v></c></row>\n' * 2000 + '</sheetData></worksheet>'),
])

write_zip('repeated-string.xlsx', [
    ('xl/workbook.xml', f'<workbook {S}><sheets/></workbook>'),
    ('xl/sharedStrings.xml', f'<sst {S}><si><t>{"長い文字列" * 2000}</t></si></sst>'),
    ('xl/worksheets/sheet1.xml', f'<worksheet {S}><sheetData>\n'
     + '<row><c t="s"><v>0</v></c></row>\n' * 2000 + '</sheetData></worksheet>'),
])

write_zip('empty-paragraphs.docx', [('word/document.xml', word('<w:p/>' * 1200000))])
