#!/usr/bin/env python3
"""Runs every generator of the installed data into a scratch folder and compares what they
write with the files under data/, byte for byte.  Usage: rederive.py [REFERENCE_FOLDER]
(the recorded reference data, data/reference by default).  Exit status 0 when
every generated file equals its installed copy, 1 otherwise (the differing files are listed).
"""
import filecmp
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
GENERATORS = [
    ('make_system_tables.py', False),
    ('make_light_shelf_table.py', False),
    ('make_building_types.py', False),
    ('make_weather_library.py', True),
    ('make_format_examples.py', True),
]


def main():
    reference = sys.argv[1] if len(sys.argv) > 1 else None
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
    sys.exit(main())
