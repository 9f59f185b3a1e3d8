#!/usr/bin/env python3
"""Every import slot the exe's code reads holds an address in the file.

ld for i386 drops the thunk of a late import that only its import slot refers to, and leaves
the slot empty (binutils bug 14339): the first call through it then jumps to address zero.
Usage: import_slots.py OBJDUMP EXE. Prints PASS or FAIL lines; exits 1 on an empty slot.
"""
import re
import subprocess
import sys

objdump, exe = sys.argv[1:3]


def objdump_output(*options):
    return subprocess.run([objdump, *options, exe], check=True, capture_output=True, text=True).stdout


pointer_size = 8 if "x86-64" in objdump_output("-f") else 4

# The import section's bytes by address, from lines like " 4bba40 5acd0b00 68cd0b00 ...  Z...h...".
idata = {}
for line in objdump_output("-s", "-j", ".idata").splitlines():
    match = re.match(r" ([0-9a-f]+) ((?:[0-9a-f]{2,8} ?){1,4})", line)
    if not match:
        continue
    start = int(match.group(1), 16)
    for offset, byte in enumerate(re.findall(r"[0-9a-f]{2}", match.group(2))):
        idata[start + offset] = int(byte, 16)

# Slots the code reads: "call *0x4bba70", "mov 0x4bb6a0,%esi" (i386), "call *0x...(%rip)  # 0x1400a7e70" (x86-64).
reference = re.compile(r"\*0x([0-9a-f]+)$|\bmov +0x([0-9a-f]+),|# 0x([0-9a-f]+)")
readers = {}
for line in objdump_output("-d", "--no-show-raw-insn").splitlines():
    match = reference.search(line)
    if match:
        slot = int(next(group for group in match.groups() if group), 16)
        if slot in idata:
            readers.setdefault(slot, line.split(":")[0].strip())

failed = False
for slot, reader in sorted(readers.items()):
    if not any(idata.get(slot + i, 0) for i in range(pointer_size)):
        print(f"FAIL: the import slot at 0x{slot:x}, read by the code at 0x{reader}, is empty")
        failed = True
if not readers:
    print(f"FAIL: the code of {exe} reads no import slot")
    failed = True
elif not failed:
    print(f"PASS: all {len(readers)} import slots the code reads hold an address")
sys.exit(1 if failed else 0)
