#!/usr/bin/python3
"""A tiny SNMPv2c agent for Linkwatch's tests (tests/support/TableAgent.h starts it).

It serves the objects of a table file to the community "public" on 127.0.0.1 and
answers get, get-next and get-bulk (SNMPv1 requests go unanswered). In the mode
"repeat" it misbehaves the way some devices do: a get-next or get-bulk never moves
past the object it asked for, so every binding of the answer carries the same OID,
and the next request for that OID gets it again; a walk that trusts the agent
never ends.

  table_agent.py PORT TABLE_FILE COUNT_FILE [well-behaved|repeat]

TABLE_FILE holds one object a line, "OID|TYPE|VALUE", TYPE being the BER tag of the
SNMP type (2 INTEGER, 4 OCTET STRING, 6 OBJECT IDENTIFIER, 64 IpAddress, 65 Counter32,
66 Gauge32, 67 TimeTicks, 70 Counter64). After every request the number of
requests received so far is written to COUNT_FILE.
"""

import os
import signal
import socket
import sys

from pyasn1.codec.ber import decoder, encoder
from pysnmp.proto import api, rfc1905

COMMUNITY = "public"
MAX_BINDINGS = 64  # at most this many bindings in one get-bulk answer


def oid_key(oid):
    return tuple(int(arc) for arc in oid.strip(".").split(".") if arc)


def read_table(path):
    table = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            oid, tag, value = line.split("|", 2)
            table[oid_key(oid)] = (int(tag), value)
    return table


# BER tag: the pysnmp type's name, and whether its value is a number.
TYPES = {2: ("Integer", True), 4: ("OctetString", False), 6: ("ObjectIdentifier", False),
         64: ("IpAddress", False), 65: ("Counter32", True), 66: ("Gauge32", True),
         67: ("TimeTicks", True), 70: ("Counter64", True)}


def make_value(module, tag, value):
    name, numeric = TYPES[tag]  # an unknown tag fails the request it is asked for
    return getattr(module, name)(int(value) if numeric else value)


class Agent:
    def __init__(self, table, repeat):
        self.table = table
        self.keys = sorted(table)
        self.repeat = repeat

    def next_of(self, key):
        """What a get-next of key answers (None at the end of the table); in repeat
        mode an object asks for itself."""
        if self.repeat and key in self.table:
            return key
        return next((candidate for candidate in self.keys if candidate > key), None)

    def answer(self, data):
        if int(api.decodeMessageVersion(data)) != api.protoVersion2c:
            return None
        module = api.protoModules[api.protoVersion2c]
        request, _ = decoder.decode(data, asn1Spec=module.Message())
        if str(module.apiMessage.getCommunity(request)) != COMMUNITY:
            return None
        pdu = module.apiMessage.getPDU(request)
        response = module.apiMessage.getResponse(request)
        reply = module.apiMessage.getPDU(response)
        asked = [oid for oid, _ in module.apiPDU.getVarBinds(pdu)]

        if pdu.isSameTypeWith(module.GetRequestPDU()):
            bindings = [self.get(module, oid) for oid in asked]
        elif pdu.isSameTypeWith(module.GetNextRequestPDU()):
            bindings = [self.step(module, tuple(oid)) for oid in asked]
        elif pdu.isSameTypeWith(module.GetBulkRequestPDU()):
            bindings = self.get_bulk(module, pdu, asked)
        else:
            return None
        module.apiPDU.setVarBinds(reply, bindings)
        return encoder.encode(response)

    def value_of(self, module, key):
        tag, value = self.table[key]
        return make_value(module, tag, value)

    def get(self, module, oid):
        key = tuple(oid)
        if key in self.table:
            return oid, self.value_of(module, key)
        return oid, rfc1905.noSuchInstance

    def get_bulk(self, module, pdu, asked):
        non_repeaters = int(module.apiBulkPDU.getNonRepeaters(pdu))
        repetitions = max(0, int(module.apiBulkPDU.getMaxRepetitions(pdu)))
        bindings = []
        for oid in asked[:non_repeaters]:
            bindings.append(self.step(module, tuple(oid)))
        rows = [tuple(oid) for oid in asked[non_repeaters:]]
        for _ in range(repetitions):
            if not rows or len(bindings) + len(rows) > MAX_BINDINGS:
                break
            stepped = [self.step(module, key) for key in rows]
            bindings.extend(stepped)
            rows = [tuple(oid) for oid, _ in stepped]
        return bindings

    def step(self, module, key):
        following = self.next_of(key)
        if following is None:
            return module.ObjectIdentifier(key), rfc1905.endOfMibView
        return module.ObjectIdentifier(following), self.value_of(module, following)


def write_count(path, count):
    temporary = path + ".new"
    with open(temporary, "w", encoding="ascii") as out:
        out.write("%d\n" % count)
    os.replace(temporary, path)


def main():
    port, table_path, count_path = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    repeat = len(sys.argv) > 4 and sys.argv[4] == "repeat"
    agent = Agent(read_table(table_path), repeat)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))

    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    try:
        sock.bind(("127.0.0.1", port))
    except OSError as error:
        sys.exit("cannot bind udp:127.0.0.1:%d: %s" % (port, error))
    count = 0
    write_count(count_path, count)
    while True:
        data, sender = sock.recvfrom(65535)
        count += 1
        try:
            answer = agent.answer(data)
        except Exception as error:  # a request it cannot read: no answer, as an agent does
            print("unreadable request: %s" % error, flush=True)
            answer = None
        if answer is not None:
            sock.sendto(answer, sender)
        write_count(count_path, count)


if __name__ == "__main__":
    main()
