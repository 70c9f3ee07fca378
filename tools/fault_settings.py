#!/usr/bin/env python3
"""The settings side of tools/fault-test.sh and tools/two-copies-test.sh.

Writes a program folder's configuration file and a settings file of ten
groups of twenty launch buttons, keeps a model of what the folder must hold
(the groups in tab order, each group's buttons, each button's command and
counts) and checks the folder against it after every kill or start.

A button is known by its description ("Button 305" was made in slot 5 of the
third group): its ID changes when its tab moves, its description never does.
A tab move exchanges two groups' names and buttons together, so a group is
checked by its name: the buttons at a tab must be those of the group named
there, in their slots.

Subcommands (each says what went wrong on standard error and exits 2 when it
cannot do its work; 'check' itself exits 0 whatever it found, and 'report'
exits 1 when any loss was recorded):
  make <folder> <model> <command> <marker folder>
  write <folder> <model>
  check <folder> <model> <stats> <phase> <action>
  note <stats> <figure> <text>
  option <folder> <name>
  total <folder>
  report <stats>
"""

import datetime
import getpass
import json
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

GROUPS = 10
SLOTS = 20
COUNTERS = ["TotolRunTimes"] + ["Day%d" % d for d in range(7)]
# The stored items of a button, in the program's order.
ITEMS = ["BtnStyle", "IconFile", "IconNumber", "Command", "Parameters", "WorkingDir", "Description", "HotKey",
         "WindowStyle", "Priority", "IgnoreRunTimes", "TotolRunTimes", "Day0", "Day1", "Day2", "Day3", "Day4", "Day5",
         "Day6", "Day0Week", "Day1Week", "Day2Week", "Day3Week", "Day4Week", "Day5Week", "Day6Week"]
TEMPORARY = re.compile(r"(\.xml\.\d+-\d+\.tmp|^rf.*\.tmp)$", re.IGNORECASE)


def fail(message):
    print("fault_settings.py: " + message, file=sys.stderr)
    sys.exit(2)


def settings_name():
    # Wine's GetUserNameW gives the Unix user.
    return "TV_%s.xml" % getpass.getuser()


def iso_week():
    return datetime.date.today().isocalendar()[1]


def attr(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;"))


def load_json(path):
    try:
        with open(path, encoding="utf-8") as file:
            return json.load(file)
    except (OSError, ValueError) as error:
        fail("%s cannot be read: %s" % (path, error))


def save_json(path, data):
    # Written beside and renamed, so that a run cut off never leaves half a model.
    temporary = path + ".new"
    with open(temporary, "w", encoding="utf-8") as file:
        json.dump(data, file, indent=1, sort_keys=True)
    os.replace(temporary, path)


def write_atomically(path, text):
    temporary = path + ".fault-new"
    with open(temporary, "wb") as file:
        file.write(text.encode("utf-8"))
        file.flush()
        os.fsync(file.fileno())
    os.replace(temporary, path)


def button_xml(button_id, values):
    lines = ['\r\n\t\t<Button ID="%d">' % button_id]
    for name in ITEMS:
        lines.append('\r\n\t\t\t<Item Name="%s" Value="%s"/>' % (name, attr(str(values.get(name, "")))))
    return "".join(lines) + "\r\n\t\t</Button>"


def settings_xml(model):
    """The settings file of the model as the program lays it out."""
    week = model["week"]
    options = [("ShowAppPanel", "1"), ("LastPanelIndex", "1"), ("AlwaysOnTop", "0"), ("FavoriteGroup", "Top"),
               ("X", "100"), ("Y", "100")]
    text = '<?xml version="1.0" encoding="UTF-8"?>\r\n<GLConfig>\r\n\t<Application>'
    for name, value in model.get("options", options):
        text += '\r\n\t\t<Item Name="%s" Value="%s"/>' % (name, attr(value))
    text += '\r\n\t</Application>\r\n\t<Groups Count="%d">' % len(model["tabs"])
    for tab, name in enumerate(model["tabs"], 1):
        text += '\r\n\t\t<Item ID="%d" Value="%s"/>' % (tab, attr(name))
    text += "\r\n\t</Groups>\r\n\t<Last6Buttons>"
    for k in range(1, 7):
        text += '\r\n\t\t<Item ID="%d" Value="0"/>' % k
    text += "\r\n\t</Last6Buttons>\r\n\t<Buttons>"
    for tab, name in enumerate(model["tabs"], 1):
        for slot, description in enumerate(model["members"][name], 1):
            button = model["buttons"][description]
            values = {"BtnStyle": 0, "IconFile": model["command"], "IconNumber": 0, "Command": model["command"],
                      "Parameters": button["parameters"], "WorkingDir": "", "Description": description, "HotKey": "",
                      "WindowStyle": 1, "Priority": 0, "IgnoreRunTimes": 0}
            for counter in COUNTERS:
                values[counter] = button[counter]
            for day in range(7):
                values["Day%dWeek" % day] = week
            text += button_xml(tab * 100 + slot, values)
    return text + "\r\n\t</Buttons>\r\n</GLConfig>"


def config_xml():
    user = getpass.getuser()
    return ('<?xml version="1.0" encoding="UTF-8"?>\r\n<Config>\r\n\t<UserConfig>\r\n\t\t<Item Name="%s" '
            'CurXml="%s" RestoreXml=""/>\r\n\t</UserConfig>\r\n</Config>' % (attr(user), attr(settings_name())))


def make(folder, model_path, command, markers):
    """A new program folder's files and the model of its settings."""
    model = {"command": command, "week": iso_week(), "tabs": [], "members": {}, "buttons": {}}
    for group in range(1, GROUPS + 1):
        name = "G%02d" % group
        model["tabs"].append(name)
        model["members"][name] = []
        for slot in range(1, SLOTS + 1):
            description = "Button %d" % (group * 100 + slot)
            model["members"][name].append(description)
            button = {"parameters": '"%s\\%d.txt"' % (markers, group * 100 + slot)}
            # Different non-zero counts, so that a count that moved to another button shows.
            seed = group * 100 + slot
            button["TotolRunTimes"] = 1000 + (seed * 37) % 1009
            for day in range(7):
                button["Day%d" % day] = 1 + (seed + day * 13) % 17
            model["buttons"][description] = button
    write_atomically(os.path.join(folder, "tavrin.xml"), config_xml())
    write_atomically(os.path.join(folder, settings_name()), settings_xml(model))
    save_json(model_path, model)


def write(folder, model_path):
    """Puts the model's settings file back, after a loss was recorded, and
    removes what cut-off saves left, so that the next round starts clean."""
    model = load_json(model_path)
    for name in os.listdir(folder):
        if TEMPORARY.search(name):
            os.remove(os.path.join(folder, name))
    write_atomically(os.path.join(folder, settings_name()), settings_xml(model))


def read_settings(path):
    """(state, detail): state is 'missing', 'unreadable' or the parsed file as
    {'tabs': [...], 'buttons': {id: {item: value}}}."""
    try:
        with open(path, "rb") as file:
            data = file.read()
    except FileNotFoundError:
        return "missing", ""
    except OSError as error:
        return "unreadable", str(error)
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        return "unreadable", "%s (%d bytes)" % (error, len(data))
    if root.tag != "GLConfig":
        return "unreadable", "the root element is %s, not GLConfig" % root.tag
    groups = root.find("Groups")
    tabs = {}
    if groups is not None:
        for item in groups.findall("Item"):
            tabs[item.get("ID")] = item.get("Value")
    names = [tabs.get(str(tab)) for tab in range(1, len(tabs) + 1)]
    buttons = {}
    duplicated_ids = []
    element = root.find("Buttons")
    for button in [] if element is None else element.findall("Button"):
        values = {item.get("Name"): item.get("Value") for item in button.findall("Item")}
        if button.get("ID") in buttons:
            duplicated_ids.append(button.get("ID"))
        buttons[button.get("ID")] = values
    return {"tabs": names, "buttons": buttons, "duplicated_ids": duplicated_ids, "size": len(data)}, ""


def as_int(text):
    try:
        return int(text)
    except (TypeError, ValueError):
        return None


def leftovers(folder):
    return sorted(name for name in os.listdir(folder) if TEMPORARY.search(name))


def complete_leftovers(folder, names, model, action):
    """The leftovers from which the file could be had again: they parse and
    hold every button once, with its command and a count it may have (a tab
    move may be half done in them)."""
    orders, started = outcomes(model, action)
    complete = []
    for name in names:
        found, _ = read_settings(os.path.join(folder, name))
        if isinstance(found, str):
            continue
        findings = compare(model, found, orders, started)
        if not (findings.lost or findings.duplicated or findings.changed or findings.counts_lost):
            complete.append(name)
    return complete


class Findings:
    def __init__(self):
        self.lost = []          # descriptions of buttons not in the file
        self.duplicated = []    # descriptions found more than once
        self.changed = []       # buttons whose command or parameters changed
        self.counts_lost = []   # buttons whose count went down or took another button's
        self.counts_over = []   # buttons counted more often than they were started
        self.half_tabs = []     # tabs whose buttons are not the ones of the group named there
        self.names = ""         # the group names are no permutation of the model's
        self.order = ""         # a tab order the action cannot have made
        self.undone = False     # a move that must be there is not
        self.starts_missing = 0  # starts that must be counted and are not

    def loss(self):
        return bool(self.lost or self.duplicated or self.changed or self.counts_lost or self.half_tabs or self.names
                    or self.undone)

    def text(self):
        parts = []
        for label, items in (("buttons lost", self.lost), ("buttons duplicated", self.duplicated),
                             ("buttons changed", self.changed), ("counts lost", self.counts_lost),
                             ("counted too often", self.counts_over), ("tabs half-exchanged", self.half_tabs)):
            if items:
                shown = ", ".join(items[:4]) + (", ..." if len(items) > 4 else "")
                parts.append("%d %s (%s)" % (len(items), label, shown))
        if self.names:
            parts.append(self.names)
        if self.order:
            parts.append(self.order)
        return "; ".join(parts)


def outcomes(model, action):
    """The tab orders an action may have left and the starts it may have
    counted, by button. Without "exact" it may also have done nothing."""
    moves = []
    if action.get("kind") == "move":
        moves.append((action["a"], action["b"]))
    if "move" in action:
        moves.append(tuple(action["move"]))
    moved = list(model["tabs"])
    for a, b in moves:
        moved[a - 1], moved[b - 1] = moved[b - 1], moved[a - 1]
    orders = [moved] if action.get("exact") else [list(model["tabs"])] + ([moved] if moves else [])
    started = {}
    for description in ([action["description"]] if action.get("kind") == "click" else []) + action.get("clicks", []):
        started[description] = started.get(description, 0) + 1
    return orders, started


def compare(model, found, allowed_orders, started, exact=False):
    """What the file found holds against the model. allowed_orders: the tab
    orders the action may have left (before and after it); started: how many
    starts each button may have had counted since the model was last confirmed."""
    findings = Findings()
    by_description = {}
    for button_id, values in found["buttons"].items():
        by_description.setdefault(values.get("Description"), []).append((button_id, values))
    for description, button in model["buttons"].items():
        places = by_description.get(description, [])
        if not places:
            findings.lost.append(description)
            continue
        if len(places) > 1:
            findings.duplicated.append("%s at %s" % (description, "/".join(place for place, _ in places)))
        for _, values in places:
            if values.get("Command") != model["command"] or values.get("Parameters") != button["parameters"]:
                findings.changed.append("%s: %s %s" % (description, values.get("Command"), values.get("Parameters")))
            total = as_int(values.get("TotolRunTimes"))
            old = button["TotolRunTimes"]
            most = old + started.get(description, 0)
            if exact and total is not None and total < most:
                findings.counts_lost.append("%s %d, not %d" % (description, total, most))
                findings.starts_missing += most - max(total, old)
            elif total is None or total < old:
                findings.counts_lost.append("%s %s<%d" % (description, values.get("TotolRunTimes"), old))
            elif total > most:
                findings.counts_over.append("%s %d>%d" % (description, total, most))
            else:
                days = [as_int(values.get("Day%d" % d)) for d in range(7)]
                if model["week"] == iso_week() and (None in days or sum(days) - sum(
                        button["Day%d" % d] for d in range(7)) != total - old):
                    findings.counts_lost.append("%s days %s" % (description, days))
    extra = [d for d in by_description if d not in model["buttons"]]
    if extra:
        findings.changed.append("%d buttons the folder never had (%s)" % (len(extra), ", ".join(map(str, extra[:3]))))
    if sorted(n for n in found["tabs"] if n is not None) != sorted(model["tabs"]) or None in found["tabs"]:
        findings.names = "the group names are %s, not a permutation of %s" % (found["tabs"], model["tabs"])
    for tab, name in enumerate(found["tabs"], 1):
        members = model["members"].get(name)
        if members is None:
            continue
        here = [found["buttons"].get(str(tab * 100 + slot), {}).get("Description") for slot in range(1, SLOTS + 1)]
        if here != members:
            wrong = [slot for slot in range(1, SLOTS + 1) if here[slot - 1] != members[slot - 1]]
            findings.half_tabs.append("tab %d %s: %d of %d slots hold other buttons (slot %d: %s)" % (
                tab, name, len(wrong), SLOTS, wrong[0], here[wrong[0] - 1]))
    if not findings.names and found["tabs"] not in allowed_orders:
        if exact and found["tabs"] == model["tabs"]:
            findings.undone = True
            findings.order = "the tab move is not in the file"
        else:
            findings.order = "tab order %s is neither of %s" % (found["tabs"], allowed_orders)
    return findings


def outcome(model, found, kind, action):
    """Whether the action had reached the file when the kill came."""
    if kind == "click":
        description = action["description"]
        values = [v for v in found["buttons"].values() if v.get("Description") == description][0]
        saved = as_int(values.get("TotolRunTimes")) > model["buttons"][description]["TotolRunTimes"]
        return "click counted" if saved else "click not counted yet"
    if kind == "move":
        return "tabs moved" if found["tabs"] != model["tabs"] else "tabs not moved yet"
    return kind


def confirm(model, found):
    """Takes the file's counts and tab order as the model's new state."""
    by_description = {v.get("Description"): v for v in found["buttons"].values()}
    for description, button in model["buttons"].items():
        for counter in COUNTERS:
            button[counter] = as_int(by_description[description].get(counter))
    model["tabs"] = list(found["tabs"])
    model["week"] = iso_week()


def new_stats():
    return {"kills": {}, "exited_first": {}, "missing": 0, "unreadable": 0, "loss_after_kill": 0,
            "buttons_lost": 0, "counts_lost": 0, "half_exchanged": 0, "duplicated": 0, "changed": 0,
            "counted_too_often": 0, "leftovers_after_kill": 0, "start_lost": 0, "start_refused": 0,
            "start_recovered": 0, "start_changed": 0, "leftovers_after_start": 0, "order_unexpected": 0,
            "events": []}


def check(folder, model_path, stats_path, phase, action_text):
    """Checks the folder after a kill (phase 'kill', action: what the script
    did before it) or after the next start showed its window (phase 'start').
    Records the figures in stats and prints one line: 'ok', 'repair' (the
    script must put the model's file back) or 'lost'."""
    model = load_json(model_path)
    stats = load_json(stats_path) if os.path.exists(stats_path) else new_stats()
    action = json.loads(action_text)
    kind = action.get("kind", "")
    path = os.path.join(folder, settings_name())
    found, detail = read_settings(path)
    left = leftovers(folder)
    event = "%s after %s: " % (phase, action.get("text", kind))
    verdict = "ok"
    if phase == "kill":
        key = "exited_first" if action.get("exited") else "kills"
        stats[key][kind] = stats[key].get(kind, 0) + 1
        if left:
            stats["leftovers_after_kill"] += 1
    elif phase == "copies":
        part = stats.setdefault("parts", {})
        part[kind] = part.get(kind, 0) + 1
        if kind == "clicks":
            stats["clicks"] = stats.get("clicks", 0) + len(action.get("clicks", []))
    elif left:
        stats["leftovers_after_start"] += 1
    previous = stats.get("last_kill_state", "ok")
    if isinstance(found, str):
        if phase in ("kill", "copies"):
            stats[found] += 1
            stats["last_kill_state"] = found
            copies = complete_leftovers(folder, left, model, action)
            if copies:
                stats["complete_leftover"] = stats.get("complete_leftover", 0) + 1
            stats["events"].append(event + "settings file %s %s; leftovers: %s%s" % (
                found, detail, " ".join(left) or "none", "; complete copies in: " + " ".join(copies) if copies else ""))
            print("missing" if found == "missing" else "unreadable")
        else:
            stats["start_lost"] += 1
            stats["last_kill_state"] = "ok"
            stats["events"].append(event + "settings file %s %s after the start" % (found, detail))
            print("repair")
        save_json(stats_path, stats)
        return
    if phase == "start" and previous not in ("missing", "unreadable"):
        # The kill left a complete file, which the model took: the start must keep it as it is.
        action = {}
    orders, started = outcomes(model, action)
    findings = compare(model, found, orders, started, bool(action.get("exact")))
    if phase == "copies":
        stats["starts_lost"] = stats.get("starts_lost", 0) + findings.starts_missing
        if findings.loss():
            stats["loss_after_copies"] = stats.get("loss_after_copies", 0) + 1
            stats["buttons_lost"] += len(findings.lost)
            stats["half_exchanged"] += len(findings.half_tabs) // 2 + len(findings.half_tabs) % 2
            stats["duplicated"] += len(findings.duplicated)
            stats["changed"] += len(findings.changed)
            stats["moves_undone"] = stats.get("moves_undone", 0) + (1 if findings.undone else 0)
            if findings.counts_lost and not findings.starts_missing:
                stats["counts_lost"] += len(findings.counts_lost)
    elif phase == "kill":
        stats["last_kill_state"] = "loss" if findings.loss() else "ok"
        if findings.loss():
            stats["loss_after_kill"] += 1
            stats["buttons_lost"] += len(findings.lost)
            stats["counts_lost"] += len(findings.counts_lost)
            stats["half_exchanged"] += len(findings.half_tabs) // 2 + len(findings.half_tabs) % 2
            stats["duplicated"] += len(findings.duplicated)
            stats["changed"] += len(findings.changed)
    else:
        # A start that found a complete file must leave it so; one after a
        # kill that left none or a broken one must have recovered it.
        if findings.loss():
            stats["start_lost"] += 1
            stats["start_buttons_lost"] = stats.get("start_buttons_lost", 0) + len(findings.lost)
        elif previous in ("missing", "unreadable"):
            stats["start_recovered"] += 1
        stats["last_kill_state"] = "ok"
    stats["counted_too_often"] += len(findings.counts_over)
    if findings.order and not findings.undone:
        stats["order_unexpected"] += 1
    if findings.loss() or findings.counts_over or findings.order:
        stats["events"].append(event + findings.text() + ("; leftovers: " + " ".join(left) if left else ""))
    if findings.loss() or findings.order:
        verdict = "repair" if phase == "start" or (findings.order and not findings.undone) else "lost"
    else:
        if phase == "kill":
            verdict = "ok " + outcome(model, found, kind, action)
            stats.setdefault("outcomes", {})
            stats["outcomes"][verdict[3:]] = stats["outcomes"].get(verdict[3:], 0) + 1
        confirm(model, found)
        save_json(model_path, model)
    save_json(stats_path, stats)
    print(verdict)


def note(stats_path, key, text):
    """Records an event the shell script saw itself (a message box at a start)."""
    stats = load_json(stats_path) if os.path.exists(stats_path) else new_stats()
    stats[key] = stats.get(key, 0) + 1
    stats["events"].append(text)
    stats["last_kill_state"] = "ok"
    save_json(stats_path, stats)


def option(folder, name):
    """The value of an option of the settings file's "Application"."""
    try:
        root = ElementTree.parse(os.path.join(folder, settings_name())).getroot()
    except (OSError, ElementTree.ParseError) as error:
        fail("the settings file cannot be read: %s" % error)
    for item in root.iterfind("Application/Item"):
        if item.get("Name") == name:
            print(item.get("Value"))
            return
    print("")


def total(folder):
    found, detail = read_settings(os.path.join(folder, settings_name()))
    if isinstance(found, str):
        fail("the settings file is %s %s" % (found, detail))
    print(sum(as_int(v.get("TotolRunTimes")) or 0 for v in found["buttons"].values()))


def report_copies(stats):
    parts = stats["parts"]
    print("parts done: %d (%s)" % (sum(parts.values()), ", ".join("%s %d" % kv for kv in sorted(parts.items()))))
    rows = [("clicks made (in both copies)", "clicks"), ("starts not counted", "starts_lost"),
            ("settings file missing after a part", "missing"), ("settings file unreadable after a part", "unreadable"),
            ("parts after which buttons, counts or tabs were wrong", "loss_after_copies"),
            ("buttons lost", "buttons_lost"), ("duplicated buttons", "duplicated"),
            ("tab moves half done (tabs half-exchanged)", "half_exchanged"), ("tab moves undone", "moves_undone"),
            ("counts lost (besides starts not counted)", "counts_lost"),
            ("buttons with another command", "changed"),
            ("buttons counted more often than clicked", "counted_too_often"),
            ("Always On Top changes undone by the other copy", "options_lost"),
            ("starts that changed or lost the file", "start_lost"),
            ("copies that showed a message box (an error)", "copies_box"),
            ("copies that did not end after Close", "copies_hung"),
            ("parts not done (a start or a menu failed)", "parts_not_done"),
            ("tab orders no action made (the script's own miss)", "order_unexpected")]
    for label, key in rows:
        print("%-52s %d" % (label + ":", stats.get(key, 0)))
    if stats["events"]:
        print("first events:")
        for event in stats["events"][:25]:
            print("  " + event)
    losses = ["missing", "unreadable", "starts_lost", "loss_after_copies", "buttons_lost", "duplicated", "half_exchanged", "moves_undone",
              "counts_lost", "changed", "counted_too_often", "options_lost", "start_lost", "copies_box", "order_unexpected"]
    # A copy whose process outlives its Close (a Wine quirk, seen before the copies
    # shared anything) and a part whose menu did not open lose nothing: they are
    # shown, and fail the run only when no part could be done at all.
    nothing_done = stats.get("parts_not_done", 0) >= sum(parts.values())
    return 1 if nothing_done or any(stats.get(key, 0) for key in losses) else 0


def report(stats_path):
    stats = load_json(stats_path)
    if "parts" in stats:
        return report_copies(stats)
    kills = stats["kills"]
    exited = stats["exited_first"]
    print("kills done: %d (%s)" % (sum(kills.values()), ", ".join("%s %d" % kv for kv in sorted(kills.items()))))
    if exited:
        print("  the program had ended by itself before the kill: %s" % ", ".join(
            "%s %d" % kv for kv in sorted(exited.items())))
    rows = [("settings file missing after a kill", "missing"),
            ("  of them, every button in a leftover temporary file", "complete_leftover"), ("settings file unreadable after a kill", "unreadable"),
            ("kills after which buttons, counts or tabs were wrong", "loss_after_kill"),
            ("buttons lost", "buttons_lost"), ("counts lost", "counts_lost"),
            ("tab moves half done (tabs half-exchanged)", "half_exchanged"), ("duplicated buttons", "duplicated"),
            ("buttons with another command", "changed"), ("buttons counted more often than started", "counted_too_often"),
            ("kills that left temporary files", "leftovers_after_kill"),
            ("starts that lost buttons or found no file", "start_lost"),
            ("  buttons those starts lost", "start_buttons_lost"),
            ("starts that refused the settings file", "start_refused"),
            ("starts that recovered a missing or broken file", "start_recovered"),
            ("starts that left temporary files", "leftovers_after_start"),
            ("tab orders no action made (the script's own miss)", "order_unexpected")]
    for label, key in rows:
        print("%-52s %d" % (label + ":", stats.get(key, 0)))
    if stats.get("outcomes"):
        print("kills after which the file was complete: %s" % ", ".join(
            "%s %d" % kv for kv in sorted(stats["outcomes"].items())))
    if stats["events"]:
        print("first events:")
        for event in stats["events"][:25]:
            print("  " + event)
    losses = ["missing", "unreadable", "buttons_lost", "counts_lost", "half_exchanged", "duplicated", "changed",
              "start_lost", "start_buttons_lost", "start_refused", "counted_too_often", "order_unexpected", "loss_after_kill"]
    return 1 if any(stats.get(key, 0) for key in losses) else 0


def main(argv):
    if len(argv) < 2:
        fail("no subcommand; see the top of this file")
    command, arguments = argv[1], argv[2:]
    needs = {"make": 4, "write": 2, "check": 5, "note": 3, "option": 2, "total": 1, "report": 1}
    if command not in needs or len(arguments) != needs[command]:
        fail("usage: %s; see the top of this file" % command)
    if command == "make":
        make(*arguments)
    elif command == "write":
        write(*arguments)
    elif command == "check":
        check(*arguments)
    elif command == "note":
        note(*arguments)
    elif command == "option":
        option(*arguments)
    elif command == "total":
        total(*arguments)
    elif command == "report":
        return report(*arguments)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
