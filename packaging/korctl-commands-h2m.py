#!/usr/bin/python3
"""Writes the COMMANDS section of korctl's manual page (a help2man include file) from the
program's own help texts: 'korctl --help' names the commands, 'korctl COMMAND --help' gives each
one's usage, description and options.

Usage: korctl-commands-h2m.py KORCTL OUTPUT
"""

import re
import subprocess
import sys


def run_help(korctl, *args):
    result = subprocess.run([korctl, *args, "--help"], capture_output=True, text=True, check=True)
    return result.stdout


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text.startswith((".", "'")) else text


def command_names(general_help):
    names = []
    in_commands = False
    for line in general_help.splitlines():
        if line == "Commands:":
            in_commands = True
        elif in_commands and not line.strip():
            break
        elif in_commands:
            names.append(line.split()[0])
    if not names:
        sys.exit("korctl --help lists no commands")
    return names


def command_section(help_text):
    """One command's help: 'Usage: …' (continued by indented lines), paragraphs, 'Options:'."""
    blocks = [block.strip("\n") for block in re.split(r"\n{2,}", help_text) if block.strip()]
    usage = " ".join(line.strip() for line in blocks[0].splitlines())
    usage = usage.removeprefix("Usage: ")
    out = [f'.SS "{roff(usage)}"']
    for block in blocks[1:]:
        lines = block.splitlines()
        if lines[0] == "Options:":
            out.extend(option_items(lines[1:]))
        else:
            out.append(".PP")
            out.extend(roff(line.strip()) for line in lines)
    return out


def option_items(lines):
    items = []
    for line in lines:
        match = re.match(r"^  (--\S+)(?: (\S+))?(?:\s{2,}(.*))?$", line)
        if match:
            name, value, text = match.groups()
            head = f".BI {roff(name)} \" {roff(value)}\"" if value else f".B {roff(name)}"
            items.extend([".TP", head])
            if text:
                items.append(roff(text))
        else:
            items.append(roff(line.strip()))
    return items


def main():
    korctl, output = sys.argv[1], sys.argv[2]
    # Right after the description, before the sections help2man orders by name.
    lines = ["[>DESCRIPTION]", ".SH COMMANDS"]
    for name in command_names(run_help(korctl)):
        lines.extend(command_section(run_help(korctl, name)))
    with open(output, "w", encoding="utf-8") as file:
        file.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
