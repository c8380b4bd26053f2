#!/usr/bin/env python3
"""Writes the building-type defaults btype/bdtype1.dat .. bdtype42.dat, the profile libraries
profiles/bprof1.dat .. bprof4.dat (occupancy, hot water, ventilation, lighting), the
temperature profiles profiles/bprof5.dat and the wall/roof and window/skylight catalogues
profiles/bprof6.dat and bprof7.dat.  Re-runnable; python3 standard library only.
Where every figure comes from is in data/SOURCES.md."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_system_tables import COOLING, GAS_MAINT_ADD  # noqa: E402
from numtext import write_crlf  # noqa: E402

DATA = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Weekday schedules in percent, hours 1-24, shaped after the typical schedules by building type
# of the ASHRAE 90.1 User's Manual and the DOE commercial reference buildings.  No value is 1
# (the engine reads values up to 1 as fractions already): every value is 0 or at least 2.
SCHEDULES = {
    'Office': {
        'occ': [0, 0, 0, 0, 0, 0, 10, 20, 95, 95, 95, 95, 50, 95, 95, 95, 95, 30, 10, 10, 10, 10, 5, 5],
        'hw': [5, 5, 5, 5, 5, 8, 7, 19, 35, 38, 39, 47, 57, 54, 34, 33, 44, 26, 21, 15, 17, 8, 5, 5],
        'vent': [0, 0, 0, 0, 0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 0],
        'lite': [5, 5, 5, 5, 5, 10, 10, 30, 90, 90, 90, 90, 80, 90, 90, 90, 90, 50, 30, 30, 20, 20, 10, 5],
    },
    'Retail': {
        'occ': [0, 0, 0, 0, 0, 0, 0, 10, 20, 50, 50, 70, 70, 70, 70, 80, 70, 50, 50, 30, 30, 0, 0, 0],
        'hw': [4, 5, 5, 4, 4, 4, 4, 15, 23, 32, 41, 57, 62, 61, 50, 45, 46, 47, 42, 34, 33, 23, 13, 8],
        'vent': [0, 0, 0, 0, 0, 0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 0, 0],
        'lite': [5, 5, 5, 5, 5, 5, 5, 20, 50, 90, 90, 90, 90, 90, 90, 90, 90, 60, 60, 50, 20, 5, 5, 5],
    },
    'School': {
        'occ': [0, 0, 0, 0, 0, 0, 0, 5, 75, 90, 90, 80, 80, 80, 80, 45, 15, 5, 15, 15, 20, 20, 10, 0],
        'hw': [5, 5, 5, 5, 5, 5, 5, 10, 34, 60, 63, 72, 79, 83, 61, 65, 10, 10, 19, 25, 22, 22, 12, 9],
        'vent': [0, 0, 0, 0, 0, 0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 0, 0],
        'lite': [5, 5, 5, 5, 5, 5, 5, 30, 85, 95, 95, 95, 80, 80, 80, 70, 50, 50, 35, 35, 35, 30, 5, 5],
    },
    'Health': {
        'occ': [30, 30, 30, 30, 30, 30, 40, 60, 90, 90, 90, 90, 90, 90, 90, 90, 80, 60, 50, 50, 40, 40, 30, 30],
        'hw': [20, 15, 15, 15, 20, 30, 45, 60, 75, 70, 70, 75, 70, 65, 60, 60, 60, 65, 60, 55, 45, 40, 30, 25],
        'vent': [100] * 24,
        'lite': [40, 40, 40, 40, 40, 40, 60, 80, 100, 100, 100, 100, 100, 100, 100, 100, 100, 90, 80, 80, 70, 60, 50, 40],
    },
    'Hotel': {
        'occ': [90, 90, 90, 90, 90, 90, 70, 40, 40, 20, 20, 20, 20, 20, 20, 30, 50, 50, 50, 70, 70, 80, 90, 90],
        'hw': [20, 15, 15, 15, 20, 35, 50, 60, 55, 45, 40, 45, 40, 35, 30, 30, 30, 40, 55, 60, 50, 55, 45, 25],
        'vent': [100] * 24,
        'lite': [20, 15, 10, 10, 10, 20, 40, 50, 40, 40, 25, 25, 25, 25, 25, 25, 25, 25, 60, 80, 90, 80, 60, 30],
    },
    'Light manufacturing': {
        'occ': [0, 0, 0, 0, 0, 0, 10, 20, 95, 95, 95, 95, 50, 95, 95, 95, 95, 30, 10, 10, 10, 10, 5, 5],
        'hw': [2, 2, 2, 2, 2, 2, 10, 40, 50, 50, 50, 60, 55, 55, 50, 50, 40, 20, 10, 5, 5, 5, 2, 2],
        'vent': [0, 0, 0, 0, 0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 0],
        'lite': [5, 5, 5, 5, 5, 10, 10, 30, 90, 90, 90, 90, 80, 90, 90, 90, 90, 50, 30, 30, 20, 20, 10, 5],
    },
    'Parking garage': {
        'occ': [2, 2, 2, 2, 2, 2, 5, 10, 20, 20, 10, 10, 10, 10, 10, 10, 20, 20, 10, 5, 5, 5, 2, 2],
        'hw': [2] * 24,
        'vent': [100] * 24,
        'lite': [100] * 24,
    },
    'Restaurant': {
        'occ': [5, 5, 5, 0, 0, 0, 0, 5, 5, 5, 20, 50, 80, 70, 40, 20, 25, 50, 80, 80, 80, 50, 35, 20],
        'hw': [20, 15, 15, 0, 0, 0, 0, 5, 10, 15, 40, 60, 70, 60, 40, 25, 30, 50, 70, 70, 60, 50, 40, 30],
        'vent': [100, 0, 0, 0, 0, 0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100],
        'lite': [15, 15, 15, 15, 15, 20, 40, 40, 60, 60, 60, 80, 80, 80, 80, 80, 60, 90, 90, 90, 90, 90, 50, 30],
    },
    'Warehouse': {
        'occ': [0, 0, 0, 0, 0, 0, 15, 70, 90, 90, 90, 90, 50, 85, 85, 85, 80, 40, 0, 0, 0, 0, 0, 0],
        'hw': [2, 2, 2, 2, 2, 2, 8, 40, 50, 50, 50, 60, 55, 55, 50, 50, 40, 20, 2, 2, 2, 2, 2, 2],
        'vent': [0, 0, 0, 0, 0, 0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 0, 0, 0, 0, 0],
        'lite': [5, 5, 5, 5, 5, 5, 40, 70, 90, 90, 90, 90, 80, 90, 90, 90, 90, 50, 5, 5, 5, 5, 5, 5],
    },
    'Residential': {
        'occ': [100, 100, 100, 100, 100, 100, 100, 70, 40, 20, 20, 20, 20, 20, 20, 30, 50, 50, 50, 70, 70, 80, 90, 100],
        'hw': [5, 2, 2, 2, 2, 10, 30, 50, 45, 35, 25, 20, 20, 15, 15, 20, 30, 45, 50, 45, 40, 35, 25, 10],
        'vent': [100] * 24,
        'lite': [10, 10, 10, 10, 10, 30, 45, 45, 45, 15, 10, 10, 10, 10, 10, 15, 30, 60, 80, 90, 90, 80, 60, 30],
    },
    'Assembly': {
        'occ': [0, 0, 0, 0, 0, 0, 0, 20, 20, 20, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 20, 0],
        'hw': [2, 2, 2, 2, 2, 2, 2, 5, 5, 5, 20, 30, 30, 30, 25, 20, 25, 25, 30, 30, 20, 15, 5, 2],
        'vent': [0, 0, 0, 0, 0, 0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0],
        'lite': [5, 5, 5, 5, 5, 5, 5, 30, 30, 30, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 30, 5],
    },
}

# One row per building type, in menu order:
# name, schedule set, floor area ft2, construction $/ft2, days/week, holidays, internal mass
# lb/ft2, ft2 per person, hot water gal/person.day, outdoor air, lighting type, lighting W/ft2,
# equipment W/ft2, cooling type, heating type, target footcandles
TYPES = [
    ('Auditorium', 'Assembly', 30000, 200, 7, 0, 30, 7, 0.5, 'CP5', 1, 1.6, 0.3, 3, 1, 30),
    ('Automotive facility', 'Retail', 20000, 120, 6, 6, 30, 100, 1.0, 'CP20', 1, 0.9, 1.0, 5, 1, 50),
    ('Bank building', 'Office', 10000, 220, 5, 10, 20, 67, 1.0, 'CP12', 1, 1.0, 1.0, 5, 1, 50),
    ('Convention center', 'Assembly', 100000, 250, 7, 0, 30, 10, 0.5, 'CP8', 1, 1.2, 0.5, 1, 1, 50),
    ('Court house', 'Office', 60000, 260, 5, 10, 30, 100, 1.0, 'CP11', 1, 1.2, 0.75, 1, 1, 50),
    ('Dining: bar lounge/ leisure', 'Restaurant', 5000, 200, 7, 0, 20, 10, 1.5, 'CP9', 1, 1.3, 1.0, 5, 1, 20),
    ('Dining: Cafeteria/ fast food', 'Restaurant', 2500, 200, 7, 0, 20, 10, 0.7, 'CP9', 1, 1.4, 3.0, 5, 1, 30),
    ('Dining: Family', 'Restaurant', 5500, 200, 7, 0, 20, 14, 2.4, 'CP10', 1, 1.6, 2.5, 5, 1, 30),
    ('Dormitory', 'Residential', 40000, 180, 7, 0, 30, 50, 13.0, 'CP8', 1, 1.0, 0.5, 4, 1, 30),
    ('Exercise center', 'Assembly', 20000, 180, 7, 0, 20, 25, 2.0, 'CP22', 1, 1.0, 0.5, 5, 1, 50),
    ('Fire station', 'Residential', 10000, 220, 7, 0, 30, 200, 15.0, 'CP17', 1, 1.0, 0.5, 6, 1, 50),
    ('Grocery store', 'Retail', 45000, 150, 7, 0, 20, 125, 0.5, 'CP15', 1, 1.5, 0.5, 5, 1, 50),
    ('Gymnasium', 'Assembly', 30000, 180, 7, 0, 30, 33, 2.0, 'CS.3', 6, 1.1, 0.2, 3, 1, 50),
    ('Healthcare/ clinic/ nursing home', 'Health', 40000, 280, 7, 0, 30, 150, 5.0, 'CP15', 1, 1.0, 1.5, 5, 1, 50),
    ('Hospital', 'Health', 240000, 400, 7, 0, 40, 200, 20.0, 'CP25', 1, 1.2, 1.5, 1, 1, 50),
    ('Hotel', 'Hotel', 120000, 220, 7, 0, 30, 100, 20.0, 'CP11', 1, 1.0, 0.6, 4, 1, 30),
    ('Laundromat', 'Retail', 3000, 150, 7, 0, 20, 50, 8.0, 'CP11', 1, 1.5, 3.0, 5, 1, 50),
    ('Library', 'Office', 30000, 230, 6, 10, 40, 100, 0.5, 'CP17', 1, 1.3, 0.5, 1, 1, 50),
    ('Manufacturing facility/ plant', 'Light manufacturing', 80000, 130, 5, 10, 30, 300, 1.5, 'CS.15', 3, 1.3, 2.0, 5, 1, 50),
    ('Motel', 'Hotel', 40000, 150, 7, 0, 20, 100, 15.0, 'CP11', 1, 1.0, 0.6, 8, 2, 30),
    ('Motion picture theater', 'Assembly', 20000, 200, 7, 0, 30, 7, 0.3, 'CP5', 1, 1.2, 0.3, 3, 1, 10),
    ('Museum', 'Retail', 40000, 300, 7, 0, 40, 25, 0.5, 'CP9', 1, 1.1, 0.5, 1, 1, 30),
    ('Nursing Home', 'Health', 40000, 220, 7, 0, 30, 200, 18.0, 'CP15', 1, 1.0, 0.75, 4, 1, 50),
    ('Office building', 'Office', 50000, 200, 5, 10, 20, 200, 1.0, 'CP17', 1, 1.0, 0.75, 1, 1, 50),
    ('Parking garage', 'Parking garage', 100000, 70, 7, 0, 60, 2000, 0.1, 'CS.75', 3, 0.3, 0.05, 9, 2, 5),
    ('Penitentiary', 'Health', 100000, 300, 7, 0, 60, 40, 20.0, 'CP10', 1, 1.0, 0.5, 2, 1, 30),
    ('Performing arts theater', 'Assembly', 40000, 300, 7, 0, 30, 7, 0.3, 'CP5', 1, 1.6, 0.5, 3, 1, 30),
    ('Police station', 'Office', 20000, 250, 7, 0, 30, 200, 2.0, 'CP17', 1, 1.0, 0.75, 5, 1, 50),
    ('Post office', 'Office', 15000, 180, 6, 10, 20, 100, 1.0, 'CP15', 1, 1.1, 0.75, 5, 1, 50),
    ('Religious building', 'Assembly', 15000, 200, 7, 0, 40, 8, 0.3, 'CP6', 1, 1.3, 0.2, 5, 1, 30),
    ('Residential: single/ multi-family', 'Residential', 2400, 120, 7, 0, 20, 400, 20.0, 'CP11', 1, 0.7, 0.6, 6, 1, 30),
    ('Restaurant: Bar lounge/ leisure', 'Restaurant', 5000, 200, 7, 0, 20, 10, 1.5, 'CP9', 1, 1.3, 1.0, 5, 1, 20),
    ('Restaurant: Cafeteria/ fast food', 'Restaurant', 2500, 200, 7, 0, 20, 10, 0.7, 'CP9', 1, 1.4, 3.0, 5, 1, 30),
    ('Restaurant: Family', 'Restaurant', 5500, 200, 7, 0, 20, 14, 2.4, 'CP10', 1, 1.6, 2.5, 5, 1, 30),
    ('Retail store/ showroom', 'Retail', 25000, 130, 7, 0, 20, 67, 0.5, 'CP16', 1, 1.5, 0.35, 5, 1, 50),
    ('School/ Elementary', 'School', 74000, 190, 5, 30, 40, 40, 0.6, 'CP15', 1, 1.2, 0.9, 1, 1, 50),
    ('School/ Secondary/ University', 'School', 210000, 210, 5, 30, 40, 29, 1.8, 'CP13', 1, 1.2, 0.9, 1, 1, 50),
    ('Sports arena', 'Assembly', 150000, 250, 7, 0, 40, 7, 0.5, 'CP8', 6, 1.1, 0.3, 2, 1, 50),
    ('Town hall', 'Office', 30000, 230, 5, 10, 30, 100, 1.0, 'CP11', 1, 1.1, 0.75, 1, 1, 50),
    ('Transportation/ bus/ airport', 'Assembly', 100000, 300, 7, 0, 30, 10, 0.5, 'CP8', 1, 1.0, 0.5, 1, 1, 30),
    ('Warehouse', 'Warehouse', 52000, 80, 5, 10, 20, 2000, 0.5, 'CS.06', 3, 0.8, 0.2, 5, 1, 20),
    ('Workshop', 'Light manufacturing', 10000, 130, 5, 10, 30, 50, 1.5, 'CP19', 1, 1.4, 1.5, 5, 1, 75),
]

HEAT_COP = {1: '0.80', 2: '1.00', 3: '2.26'}
ECONOMICS = ['25', '20', '20', '0.07', '0.03', '0.10', '0.02', '1.20', '0.03', '5.00', '0.03']


def num(v):
    """A typed value: plain decimal text, no exponent, no trailing zeros."""
    text = ('%.4f' % v).rstrip('0').rstrip('.')
    return text if text else '0'


def zone_costs(cool, heat):
    name, sp, seer, temp, fc, mc = COOLING[cool - 1]
    if heat == 1 and cool != 7 and cool <= 6:
        return sp, seer, num(float(fc) + 200), num(float(mc) + GAS_MAINT_ADD[cool])
    return sp, seer, fc, mc


def bdtype_lines(n, row):
    (name, _sched, area, cost, days, holidays, mass, per_person, hw, oa, lite_type, lpd, epd,
     cool, heat, fc_target) = row
    sp, seer, first, maint = zone_costs(cool, heat)
    lines = [
        '%s %02d' % (name, n),
        'New_Project',
        'ASHRAE 90.1 defaults',
        'Chicago, Illinois',
        'Schematic design',
        '1',
        '2007',
        '0',
        num(area),
        num(cost),
        str(days),
        str(holidays),
    ]
    lines += ECONOMICS
    lines += ['N', '0', '0', '0']
    zone = [
        num(mass), num(per_person), str(n), num(hw), str(n), oa, str(n), str(lite_type), '2.5',
        num(lpd), num(epd), str(n), '1', '2', '3', '4', str(cool), str(heat), '0', '0.5', '15',
        str(fc_target), sp, seer, HEAT_COP[3 if cool == 7 else heat], first, maint,
    ]
    assert len(zone) == 27
    lines += zone
    lines += ['No', 'No', 'Yes' if cool <= 5 else 'No']
    assert len(lines) == 57
    for value in lines[1:]:
        assert len(value) <= 20, value
    return lines


def profile_line(values):
    assert len(values) == 24 and all(v == 0 or v >= 2 for v in values)
    return ''.join('%4d' % v for v in values)


def profile_libraries():
    kinds = [('occ', 'OCCUPANCY'), ('hw', 'HOT WATER'), ('vent', 'VENTILATION (ON/OFF)'),
             ('lite', 'LIGHTING AND EQUIPMENT')]
    for k, (key, title) in enumerate(kinds, start=1):
        lines = ['%s PROFILES BY BUILDING TYPE, PERCENT, HOURS 1-24' % title]
        for row in TYPES:
            lines.append(profile_line(SCHEDULES[row[1]][key]))
        write_crlf(os.path.join(DATA, 'profiles', 'bprof%d.dat' % k), lines)


def temperature_profiles():
    def day(occupied, setback, first=7, last=21):
        return [occupied if first <= h <= last else setback for h in range(1, 25)]
    profiles = [
        day(75, 85), day(70, 60), [85] * 24, [60] * 24,        # daytime buildings
        [75] * 24, [70] * 24, [78] * 24, [65] * 24,            # around-the-clock buildings
        day(78, 76, 7, 22), day(70, 65, 6, 22), [80] * 24, [62] * 24,  # residences
    ]
    lines = ['TEMPERATURE PROFILES (F): S-OCC, W-OCC, S-UNOCC, W-UNOCC']
    lines += [''.join('%3d' % v for v in p) for p in profiles]
    write_crlf(os.path.join(DATA, 'profiles', 'bprof5.dat'), lines)


# I.D. 1 exterior wall, 8 roof, 14 floor on the ground (the sketch assigns these three).
WALLS = [
    ('Steel-framed wall, R-13 + R-7.5 c.i.', '.064', '.60', '2', '.90', '12.00'),
    ('Wood-framed wall, R-13', '.089', '.60', '2', '.92', '9.00'),
    ('Mass wall, 8 in. CMU, R-5.7 c.i.', '.151', '.65', '7', '.35', '16.00'),
    ('Mass wall, 8 in. concrete, R-9.5 c.i.', '.104', '.65', '8', '.30', '18.00'),
    ('Brick veneer on steel frame, R-13', '.124', '.70', '5', '.60', '20.00'),
    ('Metal building wall, R-13', '.113', '.50', '1', '.98', '8.00'),
    ('Precast concrete sandwich panel, R-10', '.090', '.65', '6', '.40', '22.00'),
    ('Roof, insulation above deck, R-20 c.i.', '.048', '.70', '2', '.85', '8.00'),
    ('Roof, metal building, R-19', '.065', '.50', '1', '.98', '6.00'),
    ('Roof, attic, R-38', '.027', '.70', '3', '.80', '5.00'),
    ('Roof, 6 in. concrete deck, R-20 c.i.', '.048', '.70', '6', '.45', '12.00'),
    ('Roof, white membrane, R-20 c.i.', '.048', '.30', '2', '.85', '9.00'),
    ('Roof, wood joists, R-30', '.034', '.70', '3', '.80', '6.00'),
    ('Slab-on-grade floor, uninsulated', '.100', '.00', '12', '.10', '6.00'),
    ('Below-grade wall, 8 in. concrete, R-7.5', '.119', '.00', '12', '.10', '14.00'),
]

WINDOWS = [
    ('Double low-e, thermally broken metal frame', '.55', '.40', '.15', '.55', '40.00'),
    ('Double clear, thermally broken metal frame', '.62', '.60', '.84', '.70', '35.00'),
    ('Single clear, metal frame', '1.22', '.75', '.84', '.80', '25.00'),
    ('Single bronze tint, metal frame', '1.22', '.58', '.84', '.50', '28.00'),
    ('Double bronze tint, thermally broken metal', '.62', '.48', '.84', '.42', '38.00'),
    ('Double reflective, thermally broken metal', '.60', '.25', '.84', '.20', '42.00'),
    ('Double spectrally selective low-e, metal', '.45', '.27', '.10', '.50', '48.00'),
    ('Triple low-e, insulated frame', '.30', '.30', '.10', '.45', '60.00'),
    ('Double clear, wood or vinyl frame', '.49', '.56', '.84', '.60', '35.00'),
    ('Double low-e, wood or vinyl frame', '.35', '.40', '.15', '.55', '42.00'),
    ('Skylight, double clear glass, curb-mounted', '.98', '.60', '.84', '.65', '55.00'),
    ('Skylight, double low-e glass, curb-mounted', '.70', '.36', '.15', '.50', '60.00'),
    ('Skylight, double plastic dome', '.90', '.50', '.84', '.55', '45.00'),
    ('Glass block, 4 in.', '.56', '.50', '.84', '.50', '45.00'),
    ('Double clear storefront, aluminum frame', '.81', '.63', '.84', '.70', '30.00'),
]


def catalogue(path, entries):
    lines = []
    for k, entry in enumerate(entries, start=1):
        lines.append(str(k))
        lines += list(entry)
    write_crlf(path, lines)


def main():
    assert len(TYPES) == 42
    for n, row in enumerate(TYPES, start=1):
        write_crlf(os.path.join(DATA, 'btype', 'bdtype%d.dat' % n), bdtype_lines(n, row))
    profile_libraries()
    temperature_profiles()
    catalogue(os.path.join(DATA, 'profiles', 'bprof6.dat'), WALLS)
    catalogue(os.path.join(DATA, 'profiles', 'bprof7.dat'), WINDOWS)


if __name__ == '__main__':
    main()
