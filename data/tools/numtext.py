"""Number text shared by the data generators: the shortest single-precision decimal form,
one leading blank for a non-negative value, no zero before the point of a value below 1,
never exponent form (the form the front-end writes its numbers in)."""
import os
import struct

# The data folder the generators write into; KALVANO_DATA_OUT names another folder to write
# the same files into instead (for comparing a fresh run with the installed files).
DATA = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def round_to(x, n):
    """x rounded to n decimals as Int(x * 10^n + 0.5) / 10^n, in single precision."""
    import math
    p = 10 ** n
    return f32(math.floor(f32(x * p) + 0.5) / p)


def num_text(x):
    v = f32(x)
    s = None
    for digits in range(1, 10):
        cand = '%.*g' % (digits, v)
        if f32(float(cand)) == v:
            s = cand
            break
    if 'e' in s or 'E' in s:
        s = ('%.9f' % float(s)).rstrip('0').rstrip('.')
    if '.' in s:
        s = s.rstrip('0').rstrip('.') if s.split('.')[1].strip('0') == '' else s
    neg = s.startswith('-')
    body = s[1:] if neg else s
    if body.startswith('0.'):
        body = body[1:]
    if body == '':
        body = '0'
    return ('-' if neg else ' ') + body


def rjust(text, width):
    return text if len(text) >= width else ' ' * (width - len(text)) + text


def write_crlf(path, lines):
    out = os.environ.get('KALVANO_DATA_OUT')
    if out:
        path = os.path.join(out, os.path.relpath(os.path.abspath(path), DATA))
        os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        for line in lines:
            f.write(line.encode('latin-1') + b'\r\n')
