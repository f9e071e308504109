#!/usr/bin/env python3
"""Fails when the JACK process callback's code path may lock, allocate, log or wait.

Starting from JackRealtimeRings::process in midi/jackrealtimerings.cpp,
it follows every call to a function defined in any source of the JACK client
(that file, midi/jackclient.cpp and midi/jackportpool.cpp) and reads each
body reached. A body fails the check when it names something that locks,
allocates, logs or waits, or calls anything outside those files that is not
on the list of calls known to be real-time safe below. Adding to that list is
a decision to be reviewed.

    tools/realtime-check.py [SOURCE...]  check the callback (default: the JACK client's sources)
    tools/realtime-check.py --planted    prove that the check catches planted faults
"""

import os
import re
import sys
import tempfile

ROOT = "JackRealtimeRings::process"
# The JACK client's sources: the callback's own first, where faults are planted.
SOURCES = ["jackrealtimerings.cpp", "jackclient.cpp", "jackportpool.cpp"]

# Words that must not appear in the callback's code path.
FORBIDDEN = [
    (r"\b(std::)?(mutex|recursive_mutex|shared_mutex|timed_mutex)\b", "a mutex"),
    (r"\b(lock_guard|unique_lock|scoped_lock|shared_lock)\b", "a lock"),
    (r"\bcondition_variable\b|\.wait(_for|_until)?\s*\(", "a wait"),
    (r"\bpthread_\w+", "a pthread call"),
    (r"\bnew\b|\bdelete\b|\b(malloc|calloc|realloc|free|strdup)\s*\(", "an allocation"),
    (r"\b(make_shared|make_unique|shared_ptr<|unique_ptr<)", "an allocation"),
    (r"\b(push_back|emplace|emplace_back|insert|resize|reserve|append|erase)\s*\(", "a container that may allocate"),
    (r"\bstd::(string|vector|deque|map|list|function|to_string)\b", "a type that allocates"),
    (r"\bQ[A-Z]\w*", "a Qt type or call"),
    (r"\bq(C)?(Debug|Info|Warning|Critical|Fatal)\b", "a log call"),
    (r"\b(printf|fprintf|puts|fputs|std::cout|std::cerr|std::clog|syslog)\b", "output"),
    (r"\b(sleep|usleep|nanosleep|sleep_for|sleep_until|this_thread|yield|sem_wait|sem_timedwait)\b", "a wait"),
    (r"\bthrow\b|\btry\b", "an exception"),
    (r"\bjack_(client|port_register|port_unregister|connect|disconnect|activate|deactivate|get_ports)\w*",
     "a JACK call that waits for the server"),
]

# Calls out of the sources that take no lock, allocate nothing and never wait.
SAFE_CALLS = {
    "jack_port_get_buffer", "jack_midi_get_event_count", "jack_midi_event_get", "jack_midi_clear_buffer",
    "jack_midi_max_event_size", "jack_midi_event_reserve",
    "jack_ringbuffer_read_space", "jack_ringbuffer_write_space", "jack_ringbuffer_read",
    "jack_ringbuffer_write", "jack_ringbuffer_peek", "jack_ringbuffer_read_advance",
    "jack_ringbuffer_get_read_vector", "jack_ringbuffer_get_write_vector", "jack_ringbuffer_write_advance",
    "memcpy",
    # Wakes the reader thread: a futex wake, no lock and no wait.
    "sem_post",
    # std::atomic's members
    "load", "store", "fetch_add", "fetch_sub", "exchange", "compare_exchange_weak",
    # reads the vDSO clock
    "now", "time_since_epoch", "count", "duration_cast",
    # casts and plain arithmetic
    "static_cast", "reinterpret_cast", "const_cast", "sizeof", "min", "max",
    "uint32_t", "size_t", "int64_t", "uint64_t", "nanoseconds", "jack_nframes_t",
    # ranges of a vector the callback only reads
    "begin", "end", "size", "empty",
}
KEYWORDS = {"if", "for", "while", "switch", "return", "catch", "alignof", "decltype"}

DEFINITION = re.compile(r"^[A-Za-z_][\w:<>,*&\s]*?\b((?:\w+::)?~?\w+)\s*\(")
CALL = re.compile(r"(?:\b|::|->|\.)([A-Za-z_]\w*)\s*\(")


def strip(text):
    """The code without comments and string literals."""
    text = re.sub(r"//[^\n]*", "", text)
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return re.sub(r'"(\\.|[^"\\])*"', '""', text)


def functions(source):
    """Each function defined at the top level: its name and its body."""
    lines = strip(source).split("\n")
    found = {}
    index = 0
    while index < len(lines):
        match = DEFINITION.match(lines[index])
        if not match or lines[index].rstrip().endswith(";"):
            index += 1
            continue
        start = index
        while index < len(lines) and lines[index] != "{" and not lines[index].endswith("{"):
            index += 1
        body = []
        index += 1
        while index < len(lines) and lines[index] != "}":
            body.append(lines[index])
            index += 1
        found.setdefault(match.group(1), []).append("\n".join(lines[start:index + 1]))
        index += 1
    return found


def shown(path):
    """A path within the repository as from its top, any other as it is."""
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    inner = os.path.relpath(os.path.abspath(path), top)
    return path if inner.startswith("..") else inner


def check(paths):
    defined = {}
    for path in paths:
        with open(path, encoding="utf-8") as file:
            for name, bodies in functions(file.read()).items():
                defined.setdefault(name, []).extend(bodies)
    if ROOT not in defined:
        return ["%s: no %s found" % (", ".join(paths), ROOT)]
    short = {}
    for name in defined:
        short.setdefault(name.split("::")[-1], []).append(name)
    faults = []
    reached = []
    waiting = [ROOT]
    while waiting:
        name = waiting.pop()
        if name in reached:
            continue
        reached.append(name)
        for body in defined[name]:
            header, _, code = body.partition("{")
            for pattern, what in FORBIDDEN:
                for match in re.finditer(pattern, code):
                    faults.append("%s: %s (%s)" % (name, what, match.group(0)))
            for call in CALL.finditer(code):
                callee = call.group(1)
                if callee in short:
                    waiting.extend(short[callee])
                elif callee not in SAFE_CALLS and callee not in KEYWORDS:
                    faults.append("%s: calls %s, not known to be real-time safe" % (name, callee))
    print("real-time check: read %s" % ", ".join(shown(path) for path in paths))
    print("real-time check: %s reaches %s" % (ROOT, ", ".join(sorted(reached))))
    return faults


# Each a line put into the callback's path, and what the check must then say.
PLANTED = [
    ("std::lock_guard<std::mutex> lock(rings->mutex_);", "a lock"),
    ("auto *copy = new Routes;", "an allocation"),
    ("qCDebug(lcJack) << frames;", "a log call"),
    ("input.sink->receive(nullptr, 0);", "not known to be real-time safe"),
    ("std::this_thread::sleep_for(kReaderPoll);", "a wait"),
    # Calls into the client's other sources, whose bodies must be read too.
    ("abandon();", "JackClient::abandon: a log call"),
    ("markInUse(output.port, target);", "JackPortPool::markInUse: a lock"),
]


def planted(paths):
    with open(paths[0], encoding="utf-8") as file:
        source = file.read()
    if check(paths):
        print("the unchanged sources fail already")
        return 1
    failed = 0
    for line, expected in PLANTED:
        # Into the last function the callback reaches through a call, so
        # that following calls is proven too.
        changed = source.replace("    jack_midi_clear_buffer(buffer);\n",
                                 "    jack_midi_clear_buffer(buffer);\n    %s\n" % line.replace(
                                     "rings->", "").replace("input.", "output."), 1)
        if changed == source:
            print("nowhere to plant a fault in %s: the callback's code changed" % paths[0])
            return 1
        with tempfile.NamedTemporaryFile("w", suffix=".cpp", delete=False) as copy:
            copy.write(changed)
        try:
            faults = check([copy.name] + paths[1:])
        finally:
            os.unlink(copy.name)
        if any(expected in fault for fault in faults):
            print("caught: %s" % line)
        else:
            print("MISSED: %s" % line)
            failed = 1
    return failed


def main(arguments):
    here = os.path.dirname(os.path.abspath(__file__))
    sources = [os.path.normpath(os.path.join(here, "..", "midi", name)) for name in SOURCES]
    if arguments and arguments[0] == "--planted":
        return planted(arguments[1:] or sources)
    faults = check(arguments or sources)
    for fault in faults:
        print("real-time check: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
