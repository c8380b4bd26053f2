#!/usr/bin/env python3
"""Checks the installed data against their generators: runs every generator of the installed
data, writing into a scratch folder (removed at the end), and compares each file it wrote with
its installed copy under data/, byte for byte; nothing under data/ is written.

Usage: rederive.py [REFERENCE_FOLDER]
REFERENCE_FOLDER holds the recorded reference data in the layout of data/reference (the
default).  Exit status 0 when every generated file equals its installed copy, 1 otherwise (the
differing files are listed), 2 for a wrong argument (the usage is printed).
"""
import argparse
import filecmp
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
REFERENCE = os.path.join(DATA, 'reference')
GENERATORS = [
    ('make_system_tables.py', False),
    ('make_light_shelf_table.py', False),
    ('make_building_types.py', False),
    ('make_weather_library.py', True),
    ('make_format_examples.py', True),
]


def reference_folder(argv):
    """The reference folder the command line names (None for the default); a wrong argument
    ends the program with its usage and status 2."""
    parser = argparse.ArgumentParser(
        prog='rederive.py',
        description='Runs every generator of the installed data into a scratch folder and '
                    'compares what it writes with the installed files under data/, byte for byte.')
    parser.add_argument('reference', nargs='?', metavar='REFERENCE_FOLDER',
                        help='the recorded reference data, in the layout of data/reference '
                             '(the default)')
    folder = parser.parse_args(argv).reference
    if folder is None:
        return None
    if not os.path.isdir(folder):
        parser.error('%s is not a folder' % folder)
    # The generators read these subfolders of the reference data.
    needed = sorted(name for name in os.listdir(REFERENCE) if os.path.isdir(os.path.join(REFERENCE, name)))
    missing = [name for name in needed if not os.path.isdir(os.path.join(folder, name))]
    if missing:
        parser.error('%s is not a reference folder: it has no %s' % (folder, ', no '.join(n + '/' for n in missing)))
    return folder


def main(argv):
    reference = reference_folder(argv)
    bad = []
    with tempfile.TemporaryDirectory() as out:
        env = dict(os.environ, KALVANO_DATA_OUT=out)
        for script, takes_reference in GENERATORS:
            args = [sys.executable, os.path.join(HERE, script)]
            if takes_reference and reference:
                args.append(reference)
            if subprocess.run(args, env=env).returncode != 0:
                bad.append(script + ' failed')
        count = 0
        for root, _, names in os.walk(out):
            for name in names:
                generated = os.path.join(root, name)
                rel = os.path.relpath(generated, out)
                installed = os.path.join(DATA, rel)
                count += 1
                if not os.path.exists(installed):
                    bad.append(rel + ' is not installed')
                elif not filecmp.cmp(generated, installed, shallow=False):
                    bad.append(rel + ' differs from its generator\'s output')
    for line in bad:
        print(line)
    print('%d generated files compared, %d problems' % (count, len(bad)))
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
