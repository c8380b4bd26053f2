#!/usr/bin/env python3
"""Writes weather/weth.asc, the monthly weather-statistics library, from the recorded typical
years in the reference data (data/reference, or the folder given as the first argument) and
from the daily summaries of the TMY3 stations in reference/tmy3-daily.  Re-runnable; python3
standard library only.

Statistics follow the weather generator's own definitions:
- a day's mean dry bulb is (daily maximum + daily minimum) / 2, the dew point likewise;
- monthly means are taken over the days of the month, standard deviations over the same days
  with n - 1;
- solar is the mean over the days of the daily sum of hourly global horizontal irradiance,
  Btu/sq.ft day (Wh/m2 / 3.152585, the recorded-weather reader's factor);
- wind is the mean of the hourly speeds, mph (m/s x 10 / 4.47, the reader's factor);
- temperatures in F (C x 1.8 + 32).
The daily summaries give each day's dry-bulb and dew-point maximum and minimum (C), the day's
sum of global horizontal irradiance (Wh/m2) and its mean wind (m/s); the same definitions apply
to them.  Longitude and meridian are degrees, positive west (a station west of the date line
on a western clock counted on past 180 degrees west); elevation in feet; the station number is
the 5-digit WMO number (the first five digits of a TMY3 station's USAF id).  A station of the
daily summaries that is also one of the recorded years below keeps the record of its recorded
year; the stations of doubtful data in LEFT_OUT have no record.  Records are grouped by state, states in alphabetical order of their names and
cities in alphabetical order within a state; each location ends with one blank and the record's
mark: "#" for a TMY2 typical year, "*" for a TMY3 typical year.
"""
import csv
import gzip
import math
import re
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from numtext import num_text, rjust, round_to, write_crlf  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
REFERENCE = os.path.join(DATA, 'reference')

# (file, layout, city, state name, postal code, WMO number, USAF id, mark)
SITES = [
    ('climate/703165TY.csv', 'tmy3csv', 'Sand Point', 'Alaska', 'AK', '70316', '703165', '*'),
    ('climate/USA_CA_San.Francisco.Intl.AP.724940_TMY3.epw', 'epw', 'San Francisco',
     'California', 'CA', '72494', '724940', '*'),
    ('climate/USA_CO_Denver.Intl.AP.725650_TMY3.epw', 'epw', 'Denver', 'Colorado', 'CO',
     '72565', '725650', '*'),
    ('weather/12839.tm2', 'tmy2', 'Miami', 'Florida', 'FL', '72202', '722020', '#'),
    ('climate/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw', 'epw', 'Chicago', 'Illinois', 'IL',
     '72530', '725300', '*'),
    ('climate/723170TYA.CSV', 'tmy3csv', 'Greensboro', 'North Carolina', 'NC', '72317', '723170',
     '*'),
]

DAILY = 'tmy3-daily'

STATE_NAMES = {
    'AK': 'Alaska', 'AL': 'Alabama', 'AR': 'Arkansas', 'AZ': 'Arizona', 'CA': 'California',
    'CO': 'Colorado', 'CT': 'Connecticut', 'DC': 'District of Columbia', 'DE': 'Delaware',
    'FL': 'Florida', 'GA': 'Georgia', 'GU': 'Guam', 'HI': 'Hawaii', 'IA': 'Iowa', 'ID': 'Idaho',
    'IL': 'Illinois', 'IN': 'Indiana', 'KS': 'Kansas', 'KY': 'Kentucky', 'LA': 'Louisiana',
    'MA': 'Massachusetts', 'MD': 'Maryland', 'ME': 'Maine', 'MI': 'Michigan', 'MN': 'Minnesota',
    'MO': 'Missouri', 'MS': 'Mississippi', 'MT': 'Montana', 'NC': 'North Carolina',
    'ND': 'North Dakota', 'NE': 'Nebraska', 'NH': 'New Hampshire', 'NJ': 'New Jersey',
    'NM': 'New Mexico', 'NV': 'Nevada', 'NY': 'New York', 'OH': 'Ohio', 'OK': 'Oklahoma',
    'OR': 'Oregon', 'PA': 'Pennsylvania', 'PR': 'Puerto Rico', 'RI': 'Rhode Island',
    'SC': 'South Carolina', 'SD': 'South Dakota', 'TN': 'Tennessee', 'TX': 'Texas', 'UT': 'Utah',
    'VA': 'Virginia', 'VI': 'Virgin Islands', 'VT': 'Vermont', 'WA': 'Washington',
    'WI': 'Wisconsin', 'WV': 'West Virginia', 'WY': 'Wyoming',
}

# Words of the station names kept in capitals: kinds of airfield and station, and state codes.
CAPITALS = {'AF', 'AAF', 'AFB', 'AMOS', 'ANGB', 'AP', 'ARB', 'ASC', 'ASOS', 'AUT', 'AWOS', 'FAA',
            'FCWOS', 'MCAF', 'MCAS', 'NAAS', 'NAF', 'NAS', 'NASA', 'NDB', 'NF', 'NS', 'NWS', 'USAF',
            'WB', 'WFO', 'WSFO', 'WSO', 'DC', 'GA', 'KY', 'NE', 'WV'}
# Words written otherwise than in plain title case.
SPELLINGS = {'INT\'L': 'Intl', 'INT\'': 'Intl', 'INT': 'Intl', 'OHARE': "O'Hare",
             'D\'ALENE': "d'Alene", 'OF': 'of', 'AT': 'at', 'DE': 'de', 'OR': 'or',
             'MACDILL': 'MacDill', 'MACARTHUR': 'MacArthur', 'LAGUARDIA': 'LaGuardia',
             'DEKALB': 'DeKalb'}
# Names that the rules below would not make readable: too long for their field even when
# shortened, or cut there inside a name; not naming the place (743920 is Brunswick Naval Air
# Station, 723415 "MEMORIAL FLD" is Hot Springs'); misspelt in the TMY3 list ("SATA FE",
# "OELWEN", "CASA GRANDA", ...).
NAMES = {
    # too long, or cut inside a name
    '722880': 'Burbank-Glendale AP', '723120': 'Greer Spartanburg AP',
    '722316': 'New Orleans Callender Fld', '722680': 'Roswell Ind Air Park',
    '722687': 'Carlsbad Cavern City AP', '723066': 'Goldsboro AFB', '724457': 'Fort Leonard Wood AAF',
    '725033': 'New York Central Park', '726387': 'Traverse City AP',
    '726880': 'Pendleton E Oregon Rgnl AP', '727930': 'Seattle-Tacoma Intl AP',
    '746930': 'Fort Bragg AAF', '746943': 'Elizabeth City USCG',
    '722577': 'Temple Draughon-Miller AP', '727555': 'Thief River Falls (AWOS)',
    # an abbreviation the rules would read as another one (NE, WI as state codes)
    '724085': 'Philadelphia Northeast', '726465': 'Mosinee/Central WI',
    # no place in the name
    '743920': 'Brunswick NAS', '723415': 'Hot Springs Memorial Fld', '722587': 'Paris Cox Fld',
    '724033': 'Fredericksburg Shannon AP', '727885': 'Port Angeles Fairchild AP',
    '744864': 'Farmingdale Republic AP',
    # misspelt
    '723656': 'Santa Fe Co Muni AP', '725488': 'Oelwein', '722748': 'Casa Grande (AWOS)',
    '726455': 'Manitowoc Muni AWOS', '703606': 'Togiak Village AWOS',
    '723443': 'Siloam Springs (AWOS)', '724058': 'Abingdon', '726498': 'Fairfield',
}
# Stations left out: their TMY3 data are doubtful (see data/SOURCES.md and the summaries'
# README, "Doubtful points") or wrong.
LEFT_OUT = {
    '726560': 'Fergus Falls MN: the data are those of Pierre SD',
    '726626': 'Antigo WI: header longitude 154 km off, Eastern time in Wisconsin',
    '727473': 'Crane Lake MN: header latitude 222 km off',
    '722255': 'Columbus GA: Central time in Georgia, sunshine on Eastern time',
    '725477': 'Denison IA: days of 35 m/s mean wind at constant pressure',
    # Months whose daily maxima are Fahrenheit figures read as Celsius: a July of 18 days at
    # 55-65 C and an April of 11 days at 29-48 C in Alaska.
    '703884': 'Hydaburg AK: July mean 99 F',
    '703407': 'Sleetmute AK: April mean 55 F, as warm as its July',
}
# Shorter forms of words, used only for names too long for their field.
SHORTER = {'INTERNATIONAL': 'Intl', 'AIRPORT': 'Arpt', 'MUNICIPAL': 'Muni', 'MUNICIPL': 'Muni',
           'REGIONAL': 'Rgnl', 'METROPOLITAN': 'Metro', 'MEMORIAL': 'Mem', 'COUNTY': 'Co',
           'FIELD': 'Fld', 'INTERCONTINENTAL': 'Intl'}



def c_to_f(c):
    return c * 1.8 + 32


def read_tmy2(path):
    """Station (lat, west long, meridian deg west, elevation m) and hourly tuples
    (month, day, dry bulb F, dew point F, global Btu/sq.ft, wind mph)."""
    with open(path, 'rb') as f:
        lines = f.read().decode('latin-1').splitlines()
    h = lines[0]
    lat = int(h[39:41]) + int(h[42:44]) / 60.0
    if h[37] == 'S':
        lat = -lat
    lon = int(h[47:50]) + int(h[51:53]) / 60.0
    if h[45] == 'E':
        lon = -lon
    station = (lat, lon, -int(h[33:36]) * 15.0, float(h[55:59]))
    hours = []
    for line in lines[1:]:
        if len(line) < 98:
            continue
        month, day = int(line[3:5]), int(line[5:7])
        ghi = int(line[17:21])
        db = int(line[67:71]) / 10.0
        dp = int(line[73:77]) / 10.0
        wind = int(line[95:98])
        hours.append((month, day, c_to_f(db), c_to_f(dp), ghi / 3.152585, wind / 4.47))
    return station, hours


def read_epw(path):
    with open(path, newline='', encoding='latin-1') as f:
        rows = list(csv.reader(f))
    loc = rows[0]
    station = (float(loc[6]), -float(loc[7]), -float(loc[8]) * 15.0, float(loc[9]))
    hours = []
    for r in rows[8:]:
        if len(r) < 22:
            continue
        hours.append((int(r[1]), int(r[2]), c_to_f(float(r[6])), c_to_f(float(r[7])),
                      float(r[13]) / 3.152585, float(r[21]) * 10 / 4.47))
    return station, hours


def read_tmy3csv(path):
    with open(path, newline='', encoding='latin-1') as f:
        rows = list(csv.reader(f))
    head = rows[0]
    station = (float(head[4]), -float(head[5]), -float(head[3]) * 15.0, float(head[6]))
    names = rows[1]
    col = {n: i for i, n in enumerate(names)}
    hours = []
    for r in rows[2:]:
        if len(r) < len(names) // 2:
            continue
        month, day = int(r[0][0:2]), int(r[0][3:5])
        hours.append((month, day, c_to_f(float(r[col['Dry-bulb (C)']])),
                      c_to_f(float(r[col['Dew-point (C)']])),
                      float(r[col['GHI (W/m^2)']]) / 3.152585,
                      float(r[col['Wspd (m/s)']]) * 10 / 4.47))
    return station, hours


READERS = {'tmy2': read_tmy2, 'epw': read_epw, 'tmy3csv': read_tmy3csv}


def title_word(word):
    """One word of a station name as a user reads it."""
    up = word.upper()
    if up in SPELLINGS:
        return SPELLINGS[up]

    def part(m):
        p = m.group(0).upper()
        if p in CAPITALS:
            return p
        if re.fullmatch(r'MC[A-Z]{3,}', p):
            return 'Mc' + p[2:].capitalize()
        if re.fullmatch(r"O'[A-Z]{2,}", p):
            return "O'" + p[2:].capitalize()
        return p.capitalize()
    # Each part between "-", "/", "(", ")" or "." on its own; an apostrophe stays inside.
    return re.sub(r"[A-Za-z']+", part, word)


def city_name(usaf, name, limit):
    """The library's city of a TMY3 station name: solar-site tags in brackets dropped, title
    case with the airfield abbreviations kept, at most `limit` characters."""
    if usaf in NAMES:
        if len(NAMES[usaf]) > limit:
            raise SystemExit('name too long for its field: ' + NAMES[usaf])
        return NAMES[usaf]
    name = re.sub(r'\s*\[[^]]*\]', '', name)
    name = re.sub(r'(\S)\(', r'\1 (', name)
    # A backquote stands for an apostrophe ("SAINT MARY`S"), a backslash or a spaced slash for
    # the slash between two places ("MARION / WYTHEVILLE").
    name = name.replace('`', "'").replace('\\', '/')
    name = re.sub(r'\s*/\s*', '/', name)
    # "MC GREGOR" is McGregor.
    name = re.sub(r'\bMC ([A-Z])', r'MC\1', name)
    words = name.split()
    text = ' '.join(title_word(w) for w in words)
    if len(text) > limit:
        # The place, first, keeps its words ("International Falls").
        words = words[:1] + [SHORTER.get(w.upper(), w) for w in words[1:]]
        text = ' '.join(title_word(w) for w in words)
    # Still too long: drop the words after the place, the station part, from the end.
    while len(text) > limit and len(words) > 1:
        words = words[:-1]
        text = ' '.join(title_word(w) for w in words)
    if len(text) > limit:
        raise SystemExit('station name too long for its field: ' + name)
    return text.replace(',', '')


def read_daily(folder):
    """Stations of the daily summaries: (usaf, name, state code, station, rows)."""
    stations = []
    with open(os.path.join(folder, 'stations.csv'), newline='', encoding='utf-8') as f:
        for r in csv.DictReader(f):
            stations.append(r)
    days = {}
    with gzip.open(os.path.join(folder, 'daily.csv.gz'), 'rt', newline='',
                   encoding='utf-8') as f:
        for r in csv.DictReader(f):
            days.setdefault(r['usaf'], []).append(r)
    out = []
    for s in stations:
        hours = []
        for d in days[s['usaf']]:
            month, day = int(d['month']), int(d['day'])
            # A day's extremes, sum and mean stand for its hours in the monthly statistics.
            hours.append((month, day, c_to_f(float(d['dbmax_c'])), c_to_f(float(d['dpmax_c'])),
                          float(d['ghi_wh_m2']) / 3.152585,
                          float(d['wind_mean_ms']) * 10 / 4.47))
            hours.append((month, day, c_to_f(float(d['dbmin_c'])), c_to_f(float(d['dpmin_c'])),
                          0.0, float(d['wind_mean_ms']) * 10 / 4.47))
        lon, meridian = float(s['lon_west_positive']), float(s['tz_hours_west']) * 15.0
        # West of the date line on a western clock (Shemya, 174 E on Aleutian time): the
        # longitude counted on westward past 180, so that it stays beside its meridian.
        if meridian - lon > 180:
            lon += 360
        station = (float(s['lat']), lon, meridian, float(s['elevation_m']))
        out.append((s['usaf'], s['name'], s['state'], station, monthly_rows(hours)))
    return out


def mean_sd(values):
    n = len(values)
    m = sum(values) / n
    if n < 2:
        return m, 0.0
    return m, math.sqrt(sum((v - m) ** 2 for v in values) / (n - 1))


def monthly_rows(hours):
    """The 8 rows of 12 monthly values of the library."""
    days = {}
    for month, day, db, dp, ghi, wind in hours:
        days.setdefault((month, day), []).append((db, dp, ghi, wind))
    rows = [[0.0] * 12 for _ in range(8)]
    for m in range(1, 13):
        keys = sorted(k for k in days if k[0] == m)
        mean_db, max_db, mean_dp, solar, winds = [], [], [], [], []
        for k in keys:
            d = days[k]
            dbs = [h[0] for h in d]
            dps = [h[1] for h in d]
            mean_db.append((max(dbs) + min(dbs)) / 2)
            max_db.append(max(dbs))
            mean_dp.append((max(dps) + min(dps)) / 2)
            solar.append(sum(h[2] for h in d))
            winds.extend(h[3] for h in d)
        rows[0][m - 1], rows[1][m - 1] = mean_sd(mean_db)
        rows[2][m - 1], rows[3][m - 1] = mean_sd(max_db)
        rows[4][m - 1], rows[5][m - 1] = mean_sd(mean_dp)
        rows[6][m - 1] = sum(solar) / len(solar)
        rows[7][m - 1] = sum(winds) / len(winds)
    return rows


def record(city, state, code, wmo, mark, station, rows):
    lat, lon, meridian, elev_m = station
    lines = ['"%s","%s"' % (code, state[:7].ljust(7))]
    text = '%s, %s %s' % (city, state, mark)
    close = 41 if len(text) >= 35 else 39
    line = '"' + text.ljust(close - 2) + '"'
    line += ' "%s"' % wmo
    # Int(m x 3.2808 + 0.5): the nearest foot, below sea level as well.
    for v in (round(lat, 2), round(lon, 2), meridian, math.floor(elev_m * 3.2808 + 0.5)):
        line += num_text(v) + ' '
    lines.append(line)
    for r, values in enumerate(rows):
        decimals = 0 if r == 6 else 1
        lines.append(''.join(rjust(num_text(round_to(v, decimals)), 6) for v in values))
    return lines


def main():
    reference = sys.argv[1] if len(sys.argv) > 1 else REFERENCE
    # (state name, city, postal code, WMO number, mark, station, rows)
    records = []
    recorded = set()
    for rel, layout, city, state, code, wmo, usaf, mark in SITES:
        station, hours = READERS[layout](os.path.join(reference, rel))
        records.append((state, city, code, wmo, mark, station, monthly_rows(hours)))
        recorded.add(usaf)
    for usaf, name, code, station, rows in read_daily(os.path.join(reference, DAILY)):
        if usaf in recorded or usaf in LEFT_OUT:
            continue
        state = STATE_NAMES[code]
        # "City, State *" fits the 39 characters of the city string.
        city = city_name(usaf, name, 39 - len(', ') - len(state) - len(' *'))
        records.append((state, city, code, usaf[:5], '*', station, rows))
    records.sort(key=lambda r: (r[0], r[1].upper(), r[1]))
    seen = set()
    lines = []
    for state, city, code, wmo, mark, station, rows in records:
        if (state, city) in seen:
            raise SystemExit('two stations named %s, %s' % (city, state))
        seen.add((state, city))
        lines += record(city, state, code, wmo, mark, station, rows)
    write_crlf(os.path.join(DATA, 'weather', 'weth.asc'), lines)


if __name__ == '__main__':
    main()
