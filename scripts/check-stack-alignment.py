#!/usr/bin/env python3
"""Fails when 32-bit x86 code keeps SSE values on a stack it has not aligned.

32-bit Windows enters window procedures, hooks, timer procedures and thread
entries with a stack aligned to 4 bytes only. An SSE instruction whose 16-byte
memory operand must be aligned (movaps, movdqa, and the packed arithmetic of
legacy SSE) faults on a misaligned address, so every function that uses one on
a %esp- or %ebp-relative slot must align its own stack first
(`and $0xfffffff0,%esp`), as GCC does under -mincoming-stack-boundary=2.

    check-stack-alignment.py BUILD_DIR

checks BUILD_DIR/Pelloran.scr and a probe compiled like the build's C++ files.
"""
import json
import os
import re
import shlex
import subprocess
import sys

# A function that keeps SSE values in a stack array, compiled with the build's
# own flags: without the alignment flag GCC uses that array through aligned
# operands without aligning the stack, so the check fails even while no
# function of the program happens to do so.
PROBE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "stack_alignment_probe.cpp")
PROBE_FUNCTION = "StackAlignmentProbe"

FUNCTION = re.compile(r"^[0-9a-f]+ <(.+)>:$")
INSTRUCTION = re.compile(r"^\s*[0-9a-f]+:\t(\S+)\s*(.*)$")
STACK_OPERAND = re.compile(r"\(%e[sb]p[,)]")
# `and $-16,%esp` or a stronger alignment.
REALIGN = re.compile(r"^andl? \$0xffffff[0-9a-f]0,%esp$")

# SSE instructions whose memory operand may be unaligned: the unaligned moves,
# moves and conversions of 8 bytes or less, and the scalar operations.
UNALIGNED = re.compile(
    r"^(movups|movupd|movdqu|lddqu|movd|movq|movss|movsd|movlps|movhps|movlpd|movhpd|movddup"
    r"|pinsr[bwdq]|pextr[bwdq]|extractps|insertps|pmov[sz]x\w+|maskmovdqu"
    r"|(add|sub|mul|div|sqrt|min|max|rcp|rsqrt|round|comi|ucomi)s[sd]|cmp\w*s[sd]"
    r"|cvtt?s[sd]2si[lq]?|cvtsi2s[sd][lq]?|cvtss2sd|cvtsd2ss|cvtps2pd|cvtdq2pd"
    r"|cvtpi2p[sd]|cvtt?p[sd]2pi)$"
)
# VEX-encoded instructions need alignment only for the explicitly aligned moves.
VEX_ALIGNED = re.compile(r"^vmov(aps|apd|dqa\w*|nt\w+)$")


def needs_alignment(mnemonic, operands):
    if "%xmm" not in operands or not STACK_OPERAND.search(operands):
        return False
    if mnemonic.startswith("v"):
        return bool(VEX_ALIGNED.match(mnemonic))
    return not UNALIGNED.match(mnemonic)


def is_local_label(symbol, function):
    """The assembler's labels inside a function: function.label, and ..@n.label."""
    return symbol.startswith("..@") or (function is not None and
                                        symbol.startswith(function + "."))


def aligned_stack_uses(listing):
    """(function, its first such instruction, whether it aligns its stack) for
    each function that uses a stack slot through an aligned SSE operand."""
    uses = []
    name, realigned, use = None, False, None

    def close():
        if name is not None and use is not None:
            uses.append((name, use, realigned))

    for line in listing.splitlines():
        header = FUNCTION.match(line)
        if header and not is_local_label(header.group(1), name):
            close()
            name, realigned, use = header.group(1), False, None
            continue
        instruction = INSTRUCTION.match(line)
        if not instruction:
            continue
        mnemonic, operands = instruction.group(1), instruction.group(2).split("#")[0].strip()
        if REALIGN.match(f"{mnemonic} {operands}"):
            realigned = True
        elif use is None and needs_alignment(mnemonic, operands):
            use = f"{mnemonic} {operands}"
    close()
    return uses


def compile_probe(build_dir, probe_object):
    """Compiles the probe as the build compiles its own C++ files."""
    with open(os.path.join(build_dir, "compile_commands.json")) as f:
        entry = next(e for e in json.load(f) if e["file"].endswith(".cpp"))
    arguments = shlex.split(entry["command"])
    arguments[arguments.index("-o") + 1] = probe_object
    arguments[arguments.index("-c") + 1] = PROBE
    subprocess.run(arguments, check=True, cwd=entry["directory"])


def main():
    build_dir = os.path.abspath(sys.argv[1])
    probe_object = os.path.join(build_dir, "stack_alignment_probe.obj")
    compile_probe(build_dir, probe_object)
    faults = 0
    for binary in (probe_object, os.path.join(build_dir, "Pelloran.scr")):
        listing = subprocess.run(["i686-w64-mingw32-objdump", "-d", "--no-show-raw-insn", binary], check=True,
                                 capture_output=True, text=True).stdout
        uses = aligned_stack_uses(listing)
        for name, use, realigned in uses:
            if not realigned:
                print(f"{binary}: {name} uses `{use}` without aligning its stack",
                      file=sys.stderr)
                faults += 1
        if binary == probe_object and not any(PROBE_FUNCTION in name for name, _, _ in uses):
            print(f"{binary}: the probe no longer uses its stack through aligned operands; "
                  "make it do so again", file=sys.stderr)
            faults += 1
    if faults:
        print("These functions rely on a 16-byte aligned stack, which 32-bit Windows does not "
              "give its callbacks: build with -mincoming-stack-boundary=2.", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
