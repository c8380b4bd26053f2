#!/usr/bin/env python3
"""Writes the installed system tables: btype/tcool.dat (cooling systems), btype/theat.dat
(heating types) and sketch/bld_mtx2.000 (the blank sketch).  Re-runnable: python3
data/tools/make_system_tables.py from anywhere.  Where each figure comes from is in
data/SOURCES.md."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from numtext import num_text, rjust, round_to, write_crlf  # noqa: E402

DATA = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# name, fan static pressure (in. w.g.), SEER, supply air (F), first cost $/ton, maint. $/ton.yr
COOLING = [
    ('Variable Air Volume', '3.5', '14', '55', '2400', '45'),
    ('Double Duct', '4.0', '13', '55', '2600', '50'),
    ('Multizone', '3.0', '13', '55', '2300', '45'),
    ('Fan Coil Units', '1.0', '13', '55', '2000', '40'),
    ('Roof Top Units', '2.0', '11.2', '55', '1500', '25'),
    ('DX Residential', '0.5', '13', '57', '1200', '20'),
    ('DX Res Heat Pump', '0.5', '13', '57', '1400', '22'),
    ('DX Window Unit', '0.3', '10.7', '58', '700', '10'),
    ('Evaporative Cooling', '0.8', '30', '65', '600', '15'),
]
GAS_MAINT_ADD = {1: 7.4, 2: 7.4, 3: 7.4, 4: 8.0, 5: 9.0, 6: 9.0}


def place(line, col, text):
    """Puts text at 1-based column col (the print-position tab of the editor)."""
    if len(line) < col - 1:
        line += ' ' * (col - 1 - len(line))
    return line[:col - 1] + text


def tcool_lines():
    lines = [' ' * 63 + 'FAN STATIC PRESS.  SYSTEM   SUPPLY TEMP  SYSTEM COST PER TON',
             '     I.D.  NAME OF SYSTEM                                      (INCH)   (Pa)    SEER  COP    F   C      1ST...MAINT.',
             ' ' * 5 + '-' * 135]
    for i, (name, sp, seer, temp, fc, mc) in enumerate(COOLING, start=1):
        s = place('', 6, num_text(i))
        s = place(s, 11, name)
        s = place(s, 65, sp)
        s = place(s, 72, rjust(num_text(round_to(float(sp) * 248.8, 1)), 6))
        s = place(s, 80, seer)
        s = place(s, 86, rjust(num_text(round_to(float(seer) / 3.412, 2)), 5))
        s = place(s, 93, temp)
        s = place(s, 97, rjust(num_text(round_to((float(temp) - 32) / 1.8, 0)), 2))
        s = place(s, 103, fc)
        s = place(s, 111, mc)
        s = place(s, 119, 'ELEC. HEAT')
        lines.append(s)
        h = ' ' * 102
        if i <= 6:
            h = place(h, 103, rjust(num_text(round_to(float(fc) + 200, 0)), 3))
            h = place(h, 111, rjust(num_text(round_to(float(mc) + GAS_MAINT_ADD[i], 2)), 5))
        elif i == 7:
            h = place(h, 103, '   ')
            h = place(h, 111, '   ')
        else:
            h = place(h, 103, rjust(num_text(round_to(float(fc), 0)), 3))
            h = place(h, 111, mc)
        h = place(h, 119, 'GAS HEAT')
        lines.append(h)
    return lines


def theat_lines():
    # name (columns 1-15), default COP (columns 16-19), heating factor, supply air (F)
    rows = [('Gas', '0.80', '1000.', '105.'),
            ('Elec Resist', '1.00', '3413.', '100.'),
            ('Heat Pump', '2.26', '3413.', '95.')]
    lines = ['HEATING TYPES   COP  HEATING  SUPPLY',
             'NAME           (DEF)  FACTOR  AIR (F)']
    for name, cop, factor, sup in rows:
        lines.append(name.ljust(15) + cop + rjust(factor, 9) + rjust(sup, 8))
    return lines


def blank_sketch_lines():
    header = [('Grid Size', ' 2'), ('Orientation', ' 0'), ('No. of Flrs', ' 1'),
              ('Room Height', ' 10'), ('Floor Area', ' 0'), ('Section Area', ' 0')]
    lines = [label.ljust(12) + ':' + value for label, value in header]
    for n in range(1, 26):
        lines.append(('ZoneName[' + str(n)).ljust(11) + ']:' + 'Zone 1-' + str(n))
    lines += ['0' * 80 + ' '] * 60
    return lines


def main():
    write_crlf(os.path.join(DATA, 'btype', 'tcool.dat'), tcool_lines())
    write_crlf(os.path.join(DATA, 'btype', 'theat.dat'), theat_lines())
    write_crlf(os.path.join(DATA, 'sketch', 'bld_mtx2.000'), blank_sketch_lines())


if __name__ == '__main__':
    main()
