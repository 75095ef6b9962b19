#!/usr/bin/python3
"""Writes the simulated devices that Linkwatch's tests and demo talk to.

snmpsimd serves each NAME.snmprec file under the SNMPv1/v2c community NAME (or the
SNMPv3 context NAME). This script generates, deterministically:

  switch48.snmprec      a 48-port Gigabit Ethernet switch with a VLAN interface and a
                        loopback, whose traffic counters grow at known rates
  accesspoint.snmprec   a two-radio wireless access point with associated clients
  accesspoint-client-left.snmprec
                        the same access point after one client (phone-visitor) left
  edgerouter.snmprec    a branch router with an Ethernet port (IPv4 and IPv6), a T1
                        line and a cable modem's downstream channel
  writable.snmprec      a small device whose location, contact, name and one
                        interface's settings accept writes
  odd-*.snmprec         small devices that report numbers out of range: an ifIndex
                        past 32 bits, ifNumber as Gauge32, Counter64, text, negative
  NAME.rates.tsv        per interface of a recording: ifIndex, in and out octets/s
  NAME.counters.tsv     every growing object of a recording: OID, name, type,
                        rate per second and starting value

Counters grow through snmpsim's numeric variation: value = initial + rate * seconds
since snmpsimd started, so a test reading a counter twice knows exactly how much it
must have grown. Run it again after editing and commit the outputs:

  tools/make-recordings.py [--output DIR]     (default: tests/data/snmpsim)
"""

import argparse
import os
import sys

# SNMP type tags of the snmprec format (the BER tags of the SNMP types).
INTEGER, OCTETS, OID, IPADDRESS, COUNTER32, GAUGE32, TIMETICKS, COUNTER64 = (
    2, 4, 6, 64, 65, 66, 67, 70)
TYPE_NAMES = {INTEGER: "INTEGER", OCTETS: "OCTET STRING", OID: "OBJECT IDENTIFIER",
              IPADDRESS: "IpAddress", COUNTER32: "Counter32", GAUGE32: "Gauge32",
              TIMETICKS: "TimeTicks", COUNTER64: "Counter64"}

TRUE, FALSE = 1, 2  # TruthValue
UP, DOWN = 1, 2     # ifAdminStatus, ifOperStatus

# Object identifiers used below.
SYSTEM = "1.3.6.1.2.1.1"
IF_NUMBER = "1.3.6.1.2.1.2.1"
IF_ENTRY = "1.3.6.1.2.1.2.2.1"
IFX_ENTRY = "1.3.6.1.2.1.31.1.1.1"
DOT3_STATS_ENTRY = "1.3.6.1.2.1.10.7.2.1"
DOT3_PAUSE_ENTRY = "1.3.6.1.2.1.10.7.10.1"
IP_ADDR_ENTRY = "1.3.6.1.2.1.4.20.1"
IP_NET_TO_MEDIA_ENTRY = "1.3.6.1.2.1.4.22.1"
IPV4_INTERFACE_ENTRY = "1.3.6.1.2.1.4.28.1"
IPV6_INTERFACE_ENTRY = "1.3.6.1.2.1.4.30.1"
DSX1_CONFIG_ENTRY = "1.3.6.1.2.1.10.18.6.1"
DSX1_CURRENT_ENTRY = "1.3.6.1.2.1.10.18.7.1"
DOCS_IF_DOWNSTREAM_ENTRY = "1.3.6.1.2.1.10.127.1.1.1.1"
DOCS_IF_SIGNAL_QUALITY_ENTRY = "1.3.6.1.2.1.10.127.1.1.4.1"
DOT11_STATION_CONFIG = "1.2.840.10036.1.1.1"
DOT11_OPERATION = "1.2.840.10036.2.1.1"
DOT11_COUNTERS = "1.2.840.10036.2.2.1"
DOT11_PHY_OPERATION = "1.2.840.10036.4.1.1"
DOT11_PHY_TX_POWER = "1.2.840.10036.4.3.1"
DOT11_PHY_DSSS = "1.2.840.10036.4.5.1"
DOT11_PHY_OFDM = "1.2.840.10036.4.11.1"
CD11_ACTIVE_DEVICES = "1.3.6.1.4.1.9.9.273.1.1.2.1"
CD11_ASSOCIATION_STATS = "1.3.6.1.4.1.9.9.273.1.1.3.1"
CD11_CLIENT_CONFIG = "1.3.6.1.4.1.9.9.273.1.2.1.1"
CD11_CLIENT_STATISTIC = "1.3.6.1.4.1.9.9.273.1.3.1.1"

# Product identities from Cisco's public CISCO-PRODUCTS-MIB.
CATALYST_2960G_48 = "1.3.6.1.4.1.9.1.697"  # catalyst2960G48
AIRONET_1240 = "1.3.6.1.4.1.9.1.685"       # ciscoAIRAP1240
NET_SNMP_LINUX = "1.3.6.1.4.1.8072.3.2.10"  # NET-SNMP-TC linux

# Organisationally unique identifiers, all listed in /usr/share/ieee-data/oui.csv.
OUI_CISCO = "001B54"   # Cisco Systems, Inc
OUI_APPLE = "3C2EFF"   # Apple, Inc.
OUI_APPLE_2 = "F01898"  # Apple, Inc.
OUI_INTEL = "A4C3F0"   # Intel Corporate
OUI_GOOGLE = "3C5AB4"  # Google, Inc.
OUI_DLINK = "001E58"   # D-Link Corporation

# 802.11 data rates, one octet per rate in units of 500 kbit/s.
RATES_80211G = "02040B160C1218243048606C"  # 1, 2, 5.5, 11, 6, 9, 12, 18, 24, 36, 48, 54
RATES_80211B = "02040B16"                  # 1, 2, 5.5, 11
RATES_80211A = "0C1218243048606C"          # 6, 9, 12, 18, 24, 36, 48, 54


def oid_key(oid):
    return tuple(int(part) for part in oid.split("."))


def mac_octets(oui, nic):
    """A MAC address as 12 hex digits: the OUI plus a 24-bit station part."""
    return "%s%06X" % (oui, nic)


def mac_index(mac_hex):
    return ".".join(str(int(mac_hex[i:i + 2], 16)) for i in range(0, 12, 2))


def text_index(text):
    """A variable-length string as a table index: its length, then one sub-identifier per octet."""
    data = text.encode("ascii")
    return ".".join([str(len(data))] + [str(octet) for octet in data])


def ip_octets(address):
    return "".join("%02X" % int(part) for part in address.split("."))


class Recording:
    """The objects of one simulated device, written sorted as snmpsimd requires."""

    def __init__(self, name):
        self.name = name
        self.records = {}
        self.counters = []  # (oid, name, type, rate, initial) of growing objects

    def add(self, oid, tag, value):
        key = oid_key(oid)
        if key in self.records:
            raise ValueError("%s: %s given twice" % (self.name, oid))
        self.records[key] = (oid, tag, value)

    def integer(self, oid, value):
        self.add(oid, str(INTEGER), str(value))

    def gauge(self, oid, value):
        self.add(oid, str(GAUGE32), str(value))

    def counter(self, oid, value):
        self.add(oid, str(COUNTER32), str(value))

    def timeticks(self, oid, value):
        self.add(oid, str(TIMETICKS), str(value))

    def object_id(self, oid, value):
        self.add(oid, str(OID), value)

    def ip_address(self, oid, address):
        self.add(oid, str(IPADDRESS), address)

    def octets(self, oid, hex_digits):
        self.add(oid, "%dx" % OCTETS, hex_digits.upper())

    def text(self, oid, value):
        # Plain text only when snmpsimd reads it back unchanged: printable ASCII
        # without leading or trailing blanks (it strips each line).
        if value and all(32 <= ord(c) < 127 for c in value) and value == value.strip():
            self.add(oid, str(OCTETS), value)
        elif not value:
            self.add(oid, str(OCTETS), "")
        else:
            self.octets(oid, value.encode("latin-1").hex())

    def growing(self, oid, name, tag, rate, initial=0):
        """An object that grows by rate per second from initial (snmpsim numeric variation).

        32-bit counters wrap like a device's do; a test started within hours of the
        agent never sees a wrap at the rates used here.
        """
        settings = "rate=%s" % format_number(rate)
        if initial:
            settings += ",initial=%d" % initial
        if tag in (COUNTER32, COUNTER64):
            settings += ",wrap=1"
        self.add(oid, "%d:numeric" % tag, settings)
        self.counters.append((oid, name, tag, rate, initial))

    def writable(self, oid, tag, value):
        """An object that keeps the value a set writes (snmpsim writecache variation)."""
        # The variation's settings are "key=value" pairs split at "," and "=", so
        # texts holding those (or anything but plain printable ASCII) go as hex.
        if tag == OCTETS and not (value and all(32 <= ord(c) < 127 for c in value)
                                  and value == value.strip()
                                  and not any(c in value for c in ",=:|")):
            self.add(oid, "%d:writecache" % tag, "hexvalue=%s" % value.encode("latin-1").hex())
        else:
            self.add(oid, "%d:writecache" % tag, "value=%s" % value)

    def snmprec(self):
        lines = ["%s|%s|%s" % self.records[key] for key in sorted(self.records)]
        return "\n".join(lines) + "\n"

    def counters_tsv(self):
        lines = ["# Objects of %s.snmprec that grow while snmpsimd runs:" % self.name,
                 "# value = initial + rate * seconds since snmpsimd started.",
                 "# oid\tname\ttype\trate per second\tinitial"]
        for oid, name, tag, rate, initial in sorted(self.counters, key=lambda c: oid_key(c[0])):
            lines.append("%s\t%s\t%s\t%s\t%d" % (oid, name, TYPE_NAMES[tag], format_number(rate),
                                                 initial))
        return "\n".join(lines) + "\n"


def format_number(value):
    return ("%d" % value) if float(value).is_integer() else ("%g" % value)


def add_system(rec, descr, object_id, uptime_ticks, contact, name, location, services):
    rec.text(SYSTEM + ".1.0", descr)
    rec.object_id(SYSTEM + ".2.0", object_id)
    rec.growing(SYSTEM + ".3.0", "sysUpTime.0", TIMETICKS, 100, uptime_ticks)
    rec.text(SYSTEM + ".4.0", contact)
    rec.text(SYSTEM + ".5.0", name)
    rec.text(SYSTEM + ".6.0", location)
    rec.integer(SYSTEM + ".7.0", services)


class Port:
    """One interface of a simulated device and the traffic it carries."""

    def __init__(self, index, descr, name, if_type, speed, mac="", alias="", mtu=1500,
                 admin=UP, oper=UP, in_rate=0, out_rate=0, last_change=0,
                 connector=True, high_speed=None):
        self.index, self.descr, self.name, self.if_type = index, descr, name, if_type
        self.speed, self.mac, self.alias, self.mtu = speed, mac, alias, mtu
        self.admin, self.oper = admin, oper
        self.in_rate, self.out_rate = in_rate, out_rate  # octets per second
        self.last_change, self.connector = last_change, connector
        self.high_speed = speed // 1000000 if high_speed is None else high_speed


def add_interfaces(rec, ports):
    """ifNumber, every ifTable column and the ifXTable of the given ports.

    Packets average 500 octets in and 250 out; a tenth of them are multicast or
    broadcast. The 64-bit counters carry the same traffic as the 32-bit ones but
    start beyond 2^32, as on a device that has run for a long time.
    """
    rec.integer(IF_NUMBER + ".0", len(ports))
    for p in ports:
        i = p.index

        def column(number, entry=IF_ENTRY):
            return "%s.%d.%d" % (entry, number, i)

        def grow(number, name, rate, tag=COUNTER32, initial=0, entry=IF_ENTRY):
            if rate:
                rec.growing(column(number, entry), "%s.%d" % (name, i), tag, rate, initial)
            elif tag == COUNTER64:
                rec.add(column(number, entry), str(COUNTER64), str(initial))
            else:
                rec.counter(column(number, entry), initial)

        in_packets, out_packets = p.in_rate / 500, p.out_rate / 250
        rec.integer(column(1), i)
        rec.text(column(2), p.descr)
        rec.integer(column(3), p.if_type)
        rec.integer(column(4), p.mtu)
        rec.gauge(column(5), min(p.speed, 4294967295))
        rec.octets(column(6), p.mac)
        rec.integer(column(7), p.admin)
        rec.integer(column(8), p.oper)
        rec.timeticks(column(9), p.last_change)
        grow(10, "ifInOctets", p.in_rate)
        grow(11, "ifInUcastPkts", in_packets * 0.9)
        grow(12, "ifInNUcastPkts", in_packets * 0.1)
        rec.counter(column(13), 17 * i if p.oper == UP else 0)  # ifInDiscards
        rec.counter(column(14), 0)                               # ifInErrors (see port faults)
        rec.counter(column(15), 3 * i if p.oper == UP else 0)   # ifInUnknownProtos
        grow(16, "ifOutOctets", p.out_rate)
        grow(17, "ifOutUcastPkts", out_packets * 0.9)
        grow(18, "ifOutNUcastPkts", out_packets * 0.1)
        rec.counter(column(19), 5 * i if p.oper == UP else 0)   # ifOutDiscards
        rec.counter(column(20), 0)                               # ifOutErrors
        rec.gauge(column(21), 0)                                 # ifOutQLen
        rec.object_id(column(22), "0.0")                         # ifSpecific

        hc_start = 5000000000000 + 1000000000 * i
        rec.text(column(1, IFX_ENTRY), p.name)
        grow(2, "ifInMulticastPkts", in_packets * 0.06, entry=IFX_ENTRY)
        grow(3, "ifInBroadcastPkts", in_packets * 0.04, entry=IFX_ENTRY)
        grow(4, "ifOutMulticastPkts", out_packets * 0.06, entry=IFX_ENTRY)
        grow(5, "ifOutBroadcastPkts", out_packets * 0.04, entry=IFX_ENTRY)
        grow(6, "ifHCInOctets", p.in_rate, COUNTER64, hc_start, IFX_ENTRY)
        grow(7, "ifHCInUcastPkts", in_packets * 0.9, COUNTER64, hc_start // 500, IFX_ENTRY)
        grow(8, "ifHCInMulticastPkts", in_packets * 0.06, COUNTER64, 0, IFX_ENTRY)
        grow(9, "ifHCInBroadcastPkts", in_packets * 0.04, COUNTER64, 0, IFX_ENTRY)
        grow(10, "ifHCOutOctets", p.out_rate, COUNTER64, hc_start // 2, IFX_ENTRY)
        grow(11, "ifHCOutUcastPkts", out_packets * 0.9, COUNTER64, hc_start // 500, IFX_ENTRY)
        grow(12, "ifHCOutMulticastPkts", out_packets * 0.06, COUNTER64, 0, IFX_ENTRY)
        grow(13, "ifHCOutBroadcastPkts", out_packets * 0.04, COUNTER64, 0, IFX_ENTRY)
        rec.integer(column(14, IFX_ENTRY), 1)  # ifLinkUpDownTrapEnable: enabled
        rec.gauge(column(15, IFX_ENTRY), p.high_speed)
        rec.integer(column(16, IFX_ENTRY), FALSE)  # ifPromiscuousMode
        rec.integer(column(17, IFX_ENTRY), TRUE if p.connector else FALSE)
        rec.text(column(18, IFX_ENTRY), p.alias)
        rec.timeticks(column(19, IFX_ENTRY), 0)  # ifCounterDiscontinuityTime


def rates_tsv(name, ports):
    lines = ["# Traffic of the interfaces of %s.snmprec, in octets per second:" % name,
             "# ifInOctets and ifHCInOctets grow by the in rate, ifOutOctets and",
             "# ifHCOutOctets by the out rate.",
             "# ifIndex\tin octets/s\tout octets/s"]
    lines += ["%d\t%s\t%s" % (p.index, format_number(p.in_rate), format_number(p.out_rate))
              for p in ports]
    return "\n".join(lines) + "\n"


# --- switch48 --------------------------------------------------------------------------

SWITCH_OPER_DOWN = {12, 23, 35, 46, 47}  # no cable; 47 is also shut down
SWITCH_ADMIN_DOWN = {47}
SWITCH_FAST_PORTS = range(45, 49)        # 100 Mbit/s ports
SWITCH_ALIASES = {1: "uplink", 2: "uplink backup", 10: "printer", 24: "server room",
                  48: "lab bench"}
SWITCH_BAD_CABLE_PORT = 7                # keeps counting receive errors
SWITCH_HALF_DUPLEX_PORT = 45             # collisions on a half-duplex link
SWITCH_VLAN, SWITCH_LOOPBACK = 100, 200


def switch_ports():
    ports = []
    for n in range(1, 49):
        up = n not in SWITCH_OPER_DOWN
        speed = 100000000 if n in SWITCH_FAST_PORTS else 1000000000
        ports.append(Port(
            n, "GigabitEthernet0/%d" % n, "Gi0/%d" % n, 6, speed,
            mac=mac_octets(OUI_CISCO, 0xC24A80 + n), alias=SWITCH_ALIASES.get(n, ""),
            admin=DOWN if n in SWITCH_ADMIN_DOWN else UP, oper=UP if up else DOWN,
            in_rate=1250 * n if up else 0, out_rate=625 * n if up else 0,
            last_change=3000 + 100 * n))
    ports.append(Port(SWITCH_VLAN, "Vlan1", "Vl1", 53, 1000000000,
                      mac=mac_octets(OUI_CISCO, 0xC24AC0), alias="management",
                      in_rate=4000, out_rate=3000, last_change=2900, connector=False))
    # Loopbacks claim 8 Gbit/s: beyond ifSpeed's range, so ifSpeed saturates.
    ports.append(Port(SWITCH_LOOPBACK, "Loopback0", "Lo0", 24, 8000000000, mtu=1514,
                      last_change=2800, connector=False, high_speed=8000))
    return ports


def add_ethernet(rec, ports):
    """EtherLike-MIB statistics and PAUSE settings of the switch's Ethernet ports."""
    for p in ports:
        if p.if_type != 6:
            continue
        i = p.index

        def column(number, entry=DOT3_STATS_ENTRY):
            return "%s.%d.%d" % (entry, number, i)

        rec.integer(column(1), i)  # dot3StatsIndex
        static = {2: 0, 3: 0, 4: 0, 5: 0, 6: 0, 7: 0, 8: 0, 9: 0, 10: 0, 11: 0, 13: 0,
                  16: 0, 18: 0}
        if i == SWITCH_HALF_DUPLEX_PORT:
            static.update({4: 1520, 5: 310, 7: 88, 8: 12, 9: 2})
        if i == SWITCH_BAD_CABLE_PORT:
            rec.growing(column(2), "dot3StatsAlignmentErrors.%d" % i, COUNTER32, 0.5, 40)
            rec.growing(column(3), "dot3StatsFCSErrors.%d" % i, COUNTER32, 2, 900)
            rec.growing(column(18), "dot3StatsSymbolErrors.%d" % i, COUNTER32, 1, 120)
            for number in (2, 3, 18):
                del static[number]
        for number, value in static.items():
            rec.counter(column(number), value)
        rec.object_id(column(17), "0.0")  # dot3StatsEtherChipSet: not told
        if p.oper != UP:
            duplex = 1  # unknown
        elif i == SWITCH_HALF_DUPLEX_PORT:
            duplex = 2  # halfDuplex
        else:
            duplex = 3  # fullDuplex
        rec.integer(column(19), duplex)
        rec.integer(column(20), FALSE)  # dot3StatsRateControlAbility
        rec.integer(column(21), 1)      # dot3StatsRateControlStatus: rateControlOff

        pause = 4 if i in (1, 2) else 1  # the uplinks use PAUSE both ways
        rec.integer(column(1, DOT3_PAUSE_ENTRY), pause)
        rec.integer(column(2, DOT3_PAUSE_ENTRY), pause if p.oper == UP else 1)
        rec.counter(column(3, DOT3_PAUSE_ENTRY), 41 * i if pause == 4 else 0)
        rec.counter(column(4, DOT3_PAUSE_ENTRY), 23 * i if pause == 4 else 0)
    # The bad cable also shows in the interface's error counter.
    rec.records.pop(oid_key("%s.14.%d" % (IF_ENTRY, SWITCH_BAD_CABLE_PORT)))
    rec.growing("%s.14.%d" % (IF_ENTRY, SWITCH_BAD_CABLE_PORT),
                "ifInErrors.%d" % SWITCH_BAD_CABLE_PORT, COUNTER32, 3.5, 1060)


def add_switch_ip(rec):
    """The management address on the VLAN interface and its ARP neighbours."""
    own = "192.0.2.2"
    rec.ip_address("%s.1.%s" % (IP_ADDR_ENTRY, own), own)
    rec.integer("%s.2.%s" % (IP_ADDR_ENTRY, own), SWITCH_VLAN)
    rec.ip_address("%s.3.%s" % (IP_ADDR_ENTRY, own), "255.255.255.0")
    rec.integer("%s.4.%s" % (IP_ADDR_ENTRY, own), 1)
    rec.integer("%s.5.%s" % (IP_ADDR_ENTRY, own), 18024)
    neighbours = [("192.0.2.1", mac_octets(OUI_CISCO, 0x0A0001), 3),
                  ("192.0.2.10", mac_octets(OUI_APPLE, 0x1A2B3C), 3),
                  ("192.0.2.20", mac_octets(OUI_INTEL, 0x4D5E6F), 3),
                  ("192.0.2.30", mac_octets(OUI_DLINK, 0x010203), 4)]
    for address, mac, kind in neighbours:
        index = "%d.%s" % (SWITCH_VLAN, address)
        rec.integer("%s.1.%s" % (IP_NET_TO_MEDIA_ENTRY, index), SWITCH_VLAN)
        rec.octets("%s.2.%s" % (IP_NET_TO_MEDIA_ENTRY, index), mac)
        rec.ip_address("%s.3.%s" % (IP_NET_TO_MEDIA_ENTRY, index), address)
        rec.integer("%s.4.%s" % (IP_NET_TO_MEDIA_ENTRY, index), kind)
    rec.integer("%s.2.%d" % (IPV4_INTERFACE_ENTRY, SWITCH_VLAN), 18024)
    rec.integer("%s.3.%d" % (IPV4_INTERFACE_ENTRY, SWITCH_VLAN), UP)
    rec.gauge("%s.4.%d" % (IPV4_INTERFACE_ENTRY, SWITCH_VLAN), 1000)


def make_switch():
    rec = Recording("switch48")
    add_system(rec,
               "Cisco IOS Software, C2960 Software (C2960-LANBASEK9-M), Version 12.2(55)SE7,"
               " RELEASE SOFTWARE (fc1)\r\nLinkwatch simulated 48-port switch",
               CATALYST_2960G_48, 123456789, "Network Operations <noc@example.net>",
               "sw-floor2.example.net", "Building A, floor 2, wiring closet", 2)
    ports = switch_ports()
    add_interfaces(rec, ports)
    add_ethernet(rec, ports)
    add_switch_ip(rec)
    return rec, ports


# --- accesspoint -----------------------------------------------------------------------

AP_RADIO_G, AP_ETHERNET, AP_RADIO_A = 1, 2, 3


class Client:
    """A wireless client associated to one of the access point's radios."""

    def __init__(self, radio, ssid, mac, address, name, dev_type, rates, tx_rate, signal,
                 quality, power_save, wep, vlan, received, sent, uptime, software):
        self.radio, self.ssid, self.mac, self.address, self.name = radio, ssid, mac, address, name
        self.dev_type, self.rates, self.tx_rate = dev_type, rates, tx_rate
        self.signal, self.quality, self.power_save, self.wep = signal, quality, power_save, wep
        self.vlan, self.received, self.sent = vlan, received, sent  # octets per second
        self.uptime, self.software = uptime, software

    def index(self):
        return "%d.%s.%s" % (self.radio, text_index(self.ssid), mac_index(self.mac))


AP_CLIENTS = [
    # 127.0.0.1 so that reverse DNS finds a name on any machine.
    Client(AP_RADIO_G, "corp", mac_octets(OUI_APPLE, 0x123456), "127.0.0.1", "laptop-anna",
           104, RATES_80211G, "6C", -45, 92, 1, FALSE, 10, 2000, 8000, 5400, "4.2"),
    Client(AP_RADIO_G, "corp", mac_octets(OUI_INTEL, 0xABCDEF), "192.0.2.21", "ws-build-07",
           104, RATES_80211G, "48", -61, 71, 1, FALSE, 10, 12000, 30000, 86000, "6.1"),
    Client(AP_RADIO_G, "guest", mac_octets(OUI_GOOGLE, 0x0F1E2D), "192.0.2.55", "phone-visitor",
           1, RATES_80211B, "16", -72, 48, 2, TRUE, 20, 300, 1500, 620, ""),
    Client(AP_RADIO_A, "corp", mac_octets(OUI_APPLE_2, 0x9A8B7C), "192.0.2.30", "tablet-ops",
           104, RATES_80211A, "60", -55, 85, 2, FALSE, 10, 900, 4500, 12000, "5.0"),
]


def ap_ports():
    radio_g = mac_octets(OUI_CISCO, 0x5EA010)
    radio_a = mac_octets(OUI_CISCO, 0x5EA020)
    return [
        Port(AP_RADIO_G, "Dot11Radio0", "Do0", 71, 54000000, mac=radio_g, alias="2.4 GHz",
             in_rate=15000, out_rate=44000, last_change=1500, connector=False),
        Port(AP_ETHERNET, "FastEthernet0", "Fa0", 6, 100000000,
             mac=mac_octets(OUI_CISCO, 0x5EA001), alias="uplink", in_rate=50000,
             out_rate=18000, last_change=1200),
        Port(AP_RADIO_A, "Dot11Radio1", "Do1", 71, 54000000, mac=radio_a, alias="5 GHz",
             in_rate=900, out_rate=4500, last_change=1600, connector=False),
    ]


def add_radio(rec, port, ssid, phy_type, rates, channel, frames_per_second):
    """The IEEE 802.11 station, MAC, counter and physical-layer objects of one radio."""
    i = port.index

    def at(entry, number):
        return "%s.%d.%d" % (entry, number, i)

    rec.octets(at(DOT11_STATION_CONFIG, 1), port.mac)    # dot11StationID
    rec.integer(at(DOT11_STATION_CONFIG, 2), 100)        # dot11MediumOccupancyLimit
    rec.integer(at(DOT11_STATION_CONFIG, 3), FALSE)      # dot11CFPollable
    rec.integer(at(DOT11_STATION_CONFIG, 4), 0)          # dot11CFPPeriod
    rec.integer(at(DOT11_STATION_CONFIG, 5), 0)          # dot11CFPMaxDuration
    rec.integer(at(DOT11_STATION_CONFIG, 6), 512)        # dot11AuthenticationResponseTimeOut
    rec.integer(at(DOT11_STATION_CONFIG, 7), TRUE)       # dot11PrivacyOptionImplemented
    rec.integer(at(DOT11_STATION_CONFIG, 8), 1)          # dot11PowerManagementMode: active
    rec.text(at(DOT11_STATION_CONFIG, 9), ssid)          # dot11DesiredSSID
    rec.integer(at(DOT11_STATION_CONFIG, 10), 1)         # dot11DesiredBSSType: infrastructure
    rec.octets(at(DOT11_STATION_CONFIG, 11), rates)      # dot11OperationalRateSet
    rec.integer(at(DOT11_STATION_CONFIG, 12), 100)       # dot11BeaconPeriod
    rec.integer(at(DOT11_STATION_CONFIG, 13), 2)         # dot11DTIMPeriod
    rec.integer(at(DOT11_STATION_CONFIG, 14), 512)       # dot11AssociationResponseTimeOut
    rec.integer(at(DOT11_STATION_CONFIG, 21), TRUE)      # dot11MultiDomainCapabilityImplemented
    rec.integer(at(DOT11_STATION_CONFIG, 22), FALSE)     # dot11MultiDomainCapabilityEnabled
    rec.text(at(DOT11_STATION_CONFIG, 23), "USI")        # dot11CountryString: US, indoor

    rec.octets(at(DOT11_OPERATION, 1), port.mac)         # dot11MACAddress
    rec.integer(at(DOT11_OPERATION, 2), 2347)            # dot11RTSThreshold
    rec.integer(at(DOT11_OPERATION, 3), 7)               # dot11ShortRetryLimit
    rec.integer(at(DOT11_OPERATION, 4), 4)               # dot11LongRetryLimit
    rec.integer(at(DOT11_OPERATION, 5), 2346)            # dot11FragmentationThreshold
    rec.integer(at(DOT11_OPERATION, 6), 512)             # dot11MaxTransmitMSDULifetime
    rec.integer(at(DOT11_OPERATION, 7), 512)             # dot11MaxReceiveLifetime
    rec.text(at(DOT11_OPERATION, 8), "Cisco Systems, Inc.")  # dot11ManufacturerID
    rec.text(at(DOT11_OPERATION, 9), "AIR-AP1242AG-A-K9")    # dot11ProductID

    names = {1: "dot11TransmittedFragmentCount", 2: "dot11MulticastTransmittedFrameCount",
             3: "dot11FailedCount", 4: "dot11RetryCount", 5: "dot11MultipleRetryCount",
             6: "dot11FrameDuplicateCount", 7: "dot11RTSSuccessCount",
             8: "dot11RTSFailureCount", 9: "dot11ACKFailureCount",
             10: "dot11ReceivedFragmentCount", 11: "dot11MulticastReceivedFrameCount",
             12: "dot11FCSErrorCount", 13: "dot11TransmittedFrameCount",
             14: "dot11WEPUndecryptableCount"}
    rates_per_second = {1: frames_per_second, 2: frames_per_second / 10,
                        3: frames_per_second / 200, 4: frames_per_second / 20,
                        9: frames_per_second / 50, 10: frames_per_second * 0.8,
                        11: frames_per_second / 8, 12: frames_per_second / 100,
                        13: frames_per_second}
    static = {5: 310, 6: 45, 7: 0, 8: 0, 14: 3}
    for number in sorted(names):
        oid = at(DOT11_COUNTERS, number)
        if number in rates_per_second:
            rec.growing(oid, "%s.%d" % (names[number], i), COUNTER32, rates_per_second[number])
        else:
            rec.counter(oid, static[number])

    rec.integer(at(DOT11_PHY_OPERATION, 1), phy_type)    # dot11PHYType
    rec.integer(at(DOT11_PHY_OPERATION, 2), 16)          # dot11CurrentRegDomain: FCC
    rec.integer(at(DOT11_PHY_OPERATION, 3), 1)           # dot11TempType: tempType1

    levels = [100, 50, 30, 20, 10]                       # milliwatts
    rec.integer(at(DOT11_PHY_TX_POWER, 1), len(levels))  # dot11NumberSupportedPowerLevels
    for n, level in enumerate(levels):
        rec.integer(at(DOT11_PHY_TX_POWER, 2 + n), level)
    rec.integer(at(DOT11_PHY_TX_POWER, 10), 2)           # dot11CurrentTxPowerLevel

    if channel is not None:  # the direct-sequence table belongs to 2.4 GHz radios only
        rec.integer(at(DOT11_PHY_DSSS, 1), channel)      # dot11CurrentChannel
        rec.integer(at(DOT11_PHY_DSSS, 2), 7)            # dot11CCAModeSupported: ED, CS, both
        rec.integer(at(DOT11_PHY_DSSS, 3), 4)            # dot11CurrentCCAMode: edandcs
        rec.integer(at(DOT11_PHY_DSSS, 4), -70)          # dot11EDThreshold
    else:  # a 5 GHz radio answers in the OFDM table instead
        rec.integer(at(DOT11_PHY_OFDM, 1), 36)           # dot11CurrentFrequency: channel 36
        rec.integer(at(DOT11_PHY_OFDM, 2), -72)          # dot11TIThreshold
        rec.integer(at(DOT11_PHY_OFDM, 3), 7)            # dot11FrequencyBandsSupported


def add_clients(rec, ports, clients):
    """The client association and statistic tables, and the per-radio client counts."""
    macs = {p.index: p.mac for p in ports}
    for radio in (AP_RADIO_G, AP_RADIO_A):
        on_radio = [c for c in clients if c.radio == radio]
        rec.gauge("%s.1.%d" % (CD11_ACTIVE_DEVICES, radio), len(on_radio))
        rec.gauge("%s.2.%d" % (CD11_ACTIVE_DEVICES, radio), 0)
        rec.gauge("%s.3.%d" % (CD11_ACTIVE_DEVICES, radio), 0)
        for number, value in enumerate([58, 61, 12, 9, 4, 40], start=1):
            rec.counter("%s.%d.%d" % (CD11_ASSOCIATION_STATS, number, radio), value * radio)

    for c in clients:
        aid = AP_CLIENTS.index(c) + 1  # a client keeps its association id when others leave
        index = c.index()

        def config(number):
            return "%s.%d.%s" % (CD11_CLIENT_CONFIG, number, index)

        def statistic(number):
            return "%s.%d.%s" % (CD11_CLIENT_STATISTIC, number, index)

        # The address column (1) is part of the index: like a real device, the
        # simulated one does not answer it.
        rec.octets(config(2), macs[c.radio])           # cDot11ClientParentAddress
        rec.integer(config(3), 0)                      # cDot11ClientRoleClassType: clientStation
        rec.integer(config(4), c.dev_type)             # cDot11ClientDevType
        rec.integer(config(5), 2 if c.dev_type == 104 else 1)  # cDot11ClientRadioType
        rec.integer(config(6), c.wep)                  # cDot11ClientWepEnabled
        rec.integer(config(7), FALSE)                  # cDot11ClientWepKeyMixEnabled
        rec.integer(config(8), TRUE if c.wep == FALSE else FALSE)  # cDot11ClientMicEnabled
        rec.integer(config(9), c.power_save)           # cDot11ClientPowerSaveMode
        rec.gauge(config(10), aid)                     # cDot11ClientAid
        rec.octets(config(11), c.rates)                # cDot11ClientDataRateSet
        rec.text(config(12), c.software)               # cDot11ClientSoftwareVersion
        rec.text(config(13), c.name)                   # cDot11ClientName
        rec.integer(config(14), 3)                     # cDot11ClientAssociationState
        rec.integer(config(15), 1)                     # cDot11ClientIpAddressType: ipv4
        rec.octets(config(16), ip_octets(c.address))   # cDot11ClientIpAddress
        rec.gauge(config(17), c.vlan)                  # cDot11ClientVlanId
        rec.integer(config(18), c.radio)               # cDot11ClientSubIfIndex
        rec.integer(config(19), 1)                     # cDot11ClientAuthenAlgorithm: open

        rec.octets(statistic(1), c.tx_rate)            # cDot11ClientCurrentTxRateSet
        rec.growing(statistic(2), "cDot11ClientUpTime." + index, GAUGE32, 1, c.uptime)
        rec.integer(statistic(3), c.signal)            # cDot11ClientSignalStrength
        rec.gauge(statistic(4), c.quality)             # cDot11ClientSigQuality
        rec.gauge(statistic(5), 300 - 20 * aid)        # cDot11ClientAgingLeft
        rec.growing(statistic(6), "cDot11ClientPacketsReceived." + index, COUNTER32,
                    c.received / 400)
        rec.growing(statistic(7), "cDot11ClientBytesReceived." + index, COUNTER32, c.received)
        rec.growing(statistic(8), "cDot11ClientPacketsSent." + index, COUNTER32, c.sent / 800)
        rec.growing(statistic(9), "cDot11ClientBytesSent." + index, COUNTER32, c.sent)
        rec.counter(statistic(10), 7 * aid)            # cDot11ClientDuplicates
        rec.growing(statistic(11), "cDot11ClientMsduRetries." + index, COUNTER32, 0.25 * aid)
        rec.counter(statistic(12), 2 * aid)            # cDot11ClientMsduFails
        rec.counter(statistic(13), 0)                  # cDot11ClientWepErrors
        rec.counter(statistic(14), 0)                  # cDot11ClientMicErrors
        rec.counter(statistic(15), 0)                  # cDot11ClientMicMissingFrames


# The client that has left in accesspoint-client-left: the visitor's phone.
AP_LEAVING_CLIENT = "phone-visitor"


def make_access_point(name="accesspoint", clients=AP_CLIENTS):
    """The access point with the given clients associated (all of them by default)."""
    rec = Recording(name)
    add_system(rec,
               "Cisco IOS Software, C1240 Software (C1240-K9W7-M), Version 12.4(25d)JA2,"
               " RELEASE SOFTWARE (fc1)\r\nLinkwatch simulated access point",
               AIRONET_1240, 8640000, "Facilities <wifi@example.net>", "ap-lobby.example.net",
               "Building A, lobby ceiling", 6)
    ports = ap_ports()
    add_interfaces(rec, ports)
    radios = {p.index: p for p in ports}
    add_radio(rec, radios[AP_RADIO_G], "corp", 6, RATES_80211G, 6, 120)   # ERP (802.11g)
    add_radio(rec, radios[AP_RADIO_A], "corp", 4, RATES_80211A, None, 30)  # OFDM (802.11a)
    add_clients(rec, ports, clients)
    return rec, ports


# --- edgerouter ------------------------------------------------------------------------

ROUTER_ETHERNET, ROUTER_T1, ROUTER_CABLE = 1, 2, 3
IF_TYPE_DS1, IF_TYPE_CABLE_DOWNSTREAM = 18, 128  # IANAifType ds1, docsCableDownstream


def router_ports():
    return [
        Port(ROUTER_ETHERNET, "eth0", "eth0", 6, 1000000000, mac=mac_octets(OUI_INTEL, 0x200001),
             alias="office LAN", in_rate=6000, out_rate=2500, last_change=700),
        Port(ROUTER_T1, "t1-0", "t1-0", IF_TYPE_DS1, 1544000, alias="T1 to head office",
             mtu=1500, in_rate=90, out_rate=60, last_change=800, connector=True),
        Port(ROUTER_CABLE, "cable-down0", "cable-down0", IF_TYPE_CABLE_DOWNSTREAM, 42880000,
             mac=mac_octets(OUI_DLINK, 0x300003), alias="cable downstream", mtu=1764,
             in_rate=40000, out_rate=0, last_change=900),
    ]


def add_router_ip(rec):
    """The IPv4 and IPv6 settings of the Ethernet port."""
    i = ROUTER_ETHERNET
    rec.integer("%s.2.%d" % (IPV4_INTERFACE_ENTRY, i), 18024)  # ipv4InterfaceReasmMaxSize
    rec.integer("%s.3.%d" % (IPV4_INTERFACE_ENTRY, i), UP)     # ipv4InterfaceEnableStatus
    rec.gauge("%s.4.%d" % (IPV4_INTERFACE_ENTRY, i), 1000)     # ipv4InterfaceRetransmitTime
    rec.gauge("%s.2.%d" % (IPV6_INTERFACE_ENTRY, i), 1500)     # ipv6InterfaceReasmMaxSize
    rec.octets("%s.3.%d" % (IPV6_INTERFACE_ENTRY, i), "021B54FFFE200001")  # Identifier
    rec.integer("%s.5.%d" % (IPV6_INTERFACE_ENTRY, i), UP)     # ipv6InterfaceEnableStatus
    rec.gauge("%s.6.%d" % (IPV6_INTERFACE_ENTRY, i), 30000)    # ipv6InterfaceReachableTime
    rec.gauge("%s.7.%d" % (IPV6_INTERFACE_ENTRY, i), 1000)     # ipv6InterfaceRetransmitTime
    rec.integer("%s.8.%d" % (IPV6_INTERFACE_ENTRY, i), 1)      # ipv6InterfaceForwarding


def add_router_t1(rec):
    """The DS1 line: configuration and the current 15-minute interval."""
    i = ROUTER_T1

    def config(number):
        return "%s.%d.%d" % (DSX1_CONFIG_ENTRY, number, i)

    def current(number):
        return "%s.%d.%d" % (DSX1_CURRENT_ENTRY, number, i)

    rec.integer(config(1), i)                  # dsx1LineIndex
    rec.integer(config(2), i)                  # dsx1IfIndex
    rec.integer(config(3), 412)                # dsx1TimeElapsed: seconds
    rec.integer(config(4), 96)                 # dsx1ValidIntervals
    rec.integer(config(5), 2)                  # dsx1LineType: dsx1ESF
    rec.integer(config(6), 2)                  # dsx1LineCoding: dsx1B8ZS
    rec.integer(config(7), 1)                  # dsx1SendCode: dsx1SendNoCode
    rec.text(config(8), "40.HCGS.123456")      # dsx1CircuitIdentifier
    rec.integer(config(9), 1)                  # dsx1LoopbackConfig: dsx1NoLoop
    rec.integer(config(10), 2)                 # dsx1LineStatus: dsx1RcvFarEndLOF
    rec.integer(config(11), 1)                 # dsx1SignalMode: none
    rec.integer(config(12), 1)                 # dsx1TransmitClockSource: loopTiming
    rec.integer(config(13), 8)                 # dsx1Fdl: dsx1Ansi-T1-403
    rec.integer(config(14), 0)                 # dsx1InvalidIntervals
    rec.integer(config(15), 40)                # dsx1LineLength: metres
    rec.timeticks(config(16), 6500)            # dsx1LineStatusLastChange
    for number, value in ((2, 4), (3, 1), (4, 0), (5, 2), (6, 0), (7, 9), (8, 1), (9, 3),
                          (10, 0), (11, 17)):
        # dsx1CurrentESs, SESs, SEFSs, UASs, CSSs, PCVs, LESs, BESs, DMs, LCVs
        rec.gauge(current(number), value)
    rec.integer(current(1), i)                 # dsx1CurrentIndex


def add_router_cable(rec):
    """The cable modem's downstream channel and its signal quality."""
    i = ROUTER_CABLE

    def down(number):
        return "%s.%d.%d" % (DOCS_IF_DOWNSTREAM_ENTRY, number, i)

    def quality(number):
        return "%s.%d.%d" % (DOCS_IF_SIGNAL_QUALITY_ENTRY, number, i)

    rec.integer(down(1), 5)                    # docsIfDownChannelId
    rec.integer(down(2), 603000000)            # docsIfDownChannelFrequency: Hz
    rec.integer(down(3), 6000000)              # docsIfDownChannelWidth: Hz
    rec.integer(down(4), 4)                    # docsIfDownChannelModulation: qam256
    rec.integer(down(5), 5)                    # docsIfDownChannelInterleave: taps32Increment4
    rec.integer(down(6), 35)                   # docsIfDownChannelPower: 3.5 dBmV
    rec.integer(quality(1), FALSE)             # docsIfSigQIncludesContention
    rec.growing(quality(2), "docsIfSigQUnerroreds.%d" % i, COUNTER32, 9000)
    rec.growing(quality(3), "docsIfSigQCorrecteds.%d" % i, COUNTER32, 2, 120)
    rec.counter(quality(4), 3)                 # docsIfSigQUncorrectables
    rec.integer(quality(5), 362)               # docsIfSigQSignalNoise: 36.2 dB
    rec.integer(quality(6), 0)                 # docsIfSigQMicroreflections


def make_router():
    rec = Recording("edgerouter")
    add_system(rec, "Linux edgerouter 6.1.0 #1 SMP x86_64\r\nLinkwatch simulated branch router",
               NET_SNMP_LINUX, 4200000, "Branch IT <it@example.net>", "edgerouter.example.net",
               "Branch office, comms cupboard", 78)
    ports = router_ports()
    add_interfaces(rec, ports)
    add_router_ip(rec)
    add_router_t1(rec)
    add_router_cable(rec)
    return rec, ports


# --- writable --------------------------------------------------------------------------

def make_writable():
    """A small device for write tests: nothing here touches a real interface."""
    rec = Recording("writable")
    rec.text(SYSTEM + ".1.0", "Linkwatch simulated device for write tests")
    rec.object_id(SYSTEM + ".2.0", NET_SNMP_LINUX)
    rec.growing(SYSTEM + ".3.0", "sysUpTime.0", TIMETICKS, 100, 360000)
    rec.writable(SYSTEM + ".4.0", OCTETS, "Lab <lab@example.net>")  # sysContact
    rec.writable(SYSTEM + ".5.0", OCTETS, "writable.example.net")   # sysName
    rec.writable(SYSTEM + ".6.0", OCTETS, "Test bench")             # sysLocation
    rec.integer(SYSTEM + ".7.0", 72)
    rec.integer(IF_NUMBER + ".0", 2)
    for i, name in ((1, "eth0"), (2, "eth1")):
        def column(number, entry=IF_ENTRY):
            return "%s.%d.%d" % (entry, number, i)

        rec.integer(column(1), i)
        rec.text(column(2), name)
        rec.integer(column(3), 6)
        rec.integer(column(4), 1500)
        rec.gauge(column(5), 1000000000)
        rec.octets(column(6), mac_octets(OUI_INTEL, 0x100000 + i))
        # eth0's administrative state accepts writes; eth1's does not.
        if i == 1:
            rec.writable(column(7), INTEGER, str(UP))
        else:
            rec.integer(column(7), UP)
        rec.integer(column(8), UP)
        rec.timeticks(column(9), 0)
        for number in range(10, 21):
            rec.counter(column(number), 1000 * number + i)
        rec.gauge(column(21), 0)
        rec.object_id(column(22), "0.0")
        rec.text(column(1, IFX_ENTRY), name)
        if i == 1:
            rec.writable(column(14, IFX_ENTRY), INTEGER, "1")    # ifLinkUpDownTrapEnable
            rec.writable(column(16, IFX_ENTRY), INTEGER, str(FALSE))  # ifPromiscuousMode
            rec.writable(column(18, IFX_ENTRY), OCTETS, "bench port")  # ifAlias
        else:
            rec.integer(column(14, IFX_ENTRY), 1)
            rec.integer(column(16, IFX_ENTRY), FALSE)
            rec.text(column(18, IFX_ENTRY), "")
        rec.gauge(column(15, IFX_ENTRY), 1000)
        rec.integer(column(17, IFX_ENTRY), TRUE)
    return rec


# --- odd devices -----------------------------------------------------------------------

# ifNumber.0 of each odd device: (recording name, type tag, value).
ODD_IF_NUMBERS = [
    ("odd-ifnumber-gauge32", GAUGE32, "4294967295"),
    ("odd-ifnumber-counter64", COUNTER64, "18446744073709551615"),
    ("odd-ifnumber-text", OCTETS, "99999999999"),
    ("odd-ifnumber-negative", INTEGER, "-5"),
]
ODD_BIG_INDEX = 3000000000  # past the largest signed 32-bit ifIndex


def make_odd(name, if_number_tag, if_number_value, big_index=False):
    """Two well-behaved Ethernet interfaces, eth0 and eth1, on a device that reports
    something out of range: its ifNumber.0, or (big_index) a third interface whose
    ifIndex does not fit in 32 signed bits, with ifDescr only."""
    rec = Recording(name)
    rec.text(SYSTEM + ".1.0", "Linkwatch simulated device with out-of-range numbers")
    rec.object_id(SYSTEM + ".2.0", NET_SNMP_LINUX)
    rec.timeticks(SYSTEM + ".3.0", 360000)
    rec.text(SYSTEM + ".5.0", name + ".example.net")
    rec.add(IF_NUMBER + ".0", str(if_number_tag), if_number_value)
    for i, descr in ((1, "eth0"), (2, "eth1")):
        def column(number):
            return "%s.%d.%d" % (IF_ENTRY, number, i)

        rec.integer(column(1), i)
        rec.text(column(2), descr)
        rec.integer(column(3), 6)
        rec.gauge(column(5), 1000000000)
        rec.integer(column(7), UP)
        rec.integer(column(8), UP)
        rec.counter(column(10), 1000 * i)
        rec.counter(column(16), 500 * i)
    if big_index:
        rec.text("%s.2.%d" % (IF_ENTRY, ODD_BIG_INDEX), "tunnel%d" % ODD_BIG_INDEX)
    return rec


def make_odd_devices():
    devices = [make_odd("odd-bigindex", INTEGER, "3", big_index=True)]
    devices += [make_odd(name, tag, value) for name, tag, value in ODD_IF_NUMBERS]
    return devices


# --- output ----------------------------------------------------------------------------

def write(directory, name, content):
    path = os.path.join(directory, name)
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write(content)
    return path


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir,
                           "tests", "data", "snmpsim")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.normpath(default),
                        help="folder to write the recordings to (default: %(default)s)")
    args = parser.parse_args()
    os.makedirs(args.output, exist_ok=True)

    switch, switch_if = make_switch()
    access_point, ap_if = make_access_point()
    client_left, _ = make_access_point(
        "accesspoint-client-left", [c for c in AP_CLIENTS if c.name != AP_LEAVING_CLIENT])
    router, router_if = make_router()
    writable = make_writable()
    written = [
        write(args.output, "switch48.snmprec", switch.snmprec()),
        write(args.output, "switch48.rates.tsv", rates_tsv("switch48", switch_if)),
        write(args.output, "switch48.counters.tsv", switch.counters_tsv()),
        write(args.output, "accesspoint.snmprec", access_point.snmprec()),
        write(args.output, "accesspoint.rates.tsv", rates_tsv("accesspoint", ap_if)),
        write(args.output, "accesspoint.counters.tsv", access_point.counters_tsv()),
        write(args.output, "accesspoint-client-left.snmprec", client_left.snmprec()),
        write(args.output, "edgerouter.snmprec", router.snmprec()),
        write(args.output, "edgerouter.rates.tsv", rates_tsv("edgerouter", router_if)),
        write(args.output, "edgerouter.counters.tsv", router.counters_tsv()),
        write(args.output, "writable.snmprec", writable.snmprec()),
    ]
    written += [write(args.output, odd.name + ".snmprec", odd.snmprec())
                for odd in make_odd_devices()]
    for path in written:
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
