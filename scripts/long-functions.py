#!/usr/bin/env python3
"""Lists the functions longer than a limit, counted from the opening to the closing brace.

Usage: scripts/long-functions.py [DIRECTORY [LIMIT]]   (default: src 60)

It reads clang-formatted sources as text: a function's opening brace stands alone on its line
and its closing brace at the same indentation. Exits 1 when it lists any. clang-tidy's
readability-function-size (LineThreshold) says the same at the cost of a full parse.
"""
import pathlib
import re
import sys

directory = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else 'src')
limit = int(sys.argv[2]) if len(sys.argv) > 2 else 60
found = False
for path in sorted(directory.rglob('*')):
    if path.suffix not in ('.cpp', '.h'):
        continue
    lines = path.read_text(errors='replace').split('\n')
    for i, line in enumerate(lines):
        brace = re.fullmatch(r'(\s*)\{', line)
        if not brace or i == 0:
            continue
        indent = brace.group(1)
        # Back to the line that starts the declaration: past wrapped parameters and initialisers.
        j = i - 1
        while j > 0 and (lines[j].startswith(indent + ' ') or lines[j].strip().startswith(':')):
            j -= 1
        head = lines[j].strip()
        if re.match(r'(class|struct|enum|union|namespace|extern)\b', head):
            continue
        if '=' in head.split('(')[0]:  # a braced initialiser, not a body
            continue
        end = next((k for k in range(i + 1, len(lines))
                    if re.fullmatch(re.escape(indent) + r'\}.*', lines[k])), None)
        if end is not None and end - i + 1 > limit:
            found = True
            print(f'{path}:{j + 1}: {end - i + 1} lines: {head}')
sys.exit(1 if found else 0)
