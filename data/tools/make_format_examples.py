#!/usr/bin/env python3
"""Writes the weather-format examples helpinfo/tmy2.txt, wyec2.txt, iwec.txt and custom.txt
from the real recorded files in the reference data (data/reference, or the folder given as
the first argument).  Re-runnable; python3 standard library only.

- tmy2.txt: the header and the first day (24 records) of the Miami TMY2 year, unchanged.
- custom.txt: the same day in the custom layout: every TMY2 record shifted two columns right,
  and the header in the custom header columns.
- wyec2.txt: the first day of the CWEEDS sample (station 94792) in the WYEC2 layout: the
  CWEEDS record with its 4-digit year cut to 2 digits (the columns after it then stand where
  WYEC2 has them).
- iwec.txt: the free-format layout (year, month, day, hour, dry bulb F, dew point F, global
  horizontal W/m2, wind mph) of the same Miami day, converted from the TMY2 records.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from numtext import write_crlf  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
REFERENCE = os.path.join(DATA, 'reference')


def read_lines(path):
    with open(path, 'rb') as f:
        return f.read().decode('latin-1').splitlines()


def put(line, col, text):
    """Places text from 1-based column col of a blank-padded line."""
    line = line.ljust(col - 1 + len(text))
    return line[:col - 1] + text + line[col - 1 + len(text):]


def custom_header(h):
    """The TMY2 header fields moved to the custom header's columns."""
    out = ''
    out = put(out, 7, h[1:6])          # station
    out = put(out, 14, h[7:32])        # location, 25 characters
    out = put(out, 46, h[33:36].rjust(4))  # time zone
    out = put(out, 54, h[37])          # N/S
    out = put(out, 55, h[38:41])       # latitude degrees
    out = put(out, 58, h[41:44])       # latitude minutes
    out = put(out, 62, h[45])          # E/W
    out = put(out, 63, h[46:50])       # longitude degrees
    out = put(out, 67, h[50:53])       # longitude minutes
    out = put(out, 71, h[53:59])       # elevation, m
    return out.rstrip()


def main():
    reference = sys.argv[1] if len(sys.argv) > 1 else REFERENCE
    tmy2 = read_lines(os.path.join(reference, 'weather', '12839.tm2'))
    day = tmy2[1:25]
    helpinfo = os.path.join(DATA, 'helpinfo')
    write_crlf(os.path.join(helpinfo, 'tmy2.txt'), [tmy2[0]] + day)
    write_crlf(os.path.join(helpinfo, 'custom.txt'),
               [custom_header(tmy2[0])] + ['  ' + r for r in day])
    cweeds = read_lines(os.path.join(reference, 'weather', 'cweed_sample.WY2'))
    write_crlf(os.path.join(helpinfo, 'wyec2.txt'), [r[:6] + r[8:] for r in cweeds[:24]])
    iwec = ['Hourly weather, free format: Miami FL, first day of the TMY year',
            'Year Month Day Hour DryBulb(F) DewPoint(F) GlobalHoriz(W/sq.m) Wind(mph)']
    for r in day:
        year, month, dd, hour = int(r[1:3]), int(r[3:5]), int(r[5:7]), int(r[7:9])
        ghi = int(r[17:21])
        db = int(r[67:71]) / 10.0 * 1.8 + 32
        dp = int(r[73:77]) / 10.0 * 1.8 + 32
        wind = int(r[95:98]) / 4.47
        iwec.append('%4d %2d %2d %4d %6.1f %6.1f %5d %5.1f'
                    % (1900 + year, month, dd, hour * 100, db, dp, ghi, wind))
    write_crlf(os.path.join(helpinfo, 'iwec.txt'), iwec)


if __name__ == '__main__':
    main()
