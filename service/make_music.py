"""Makes the service's music: arrangements of the game's own MIDI tune, each with the melodic
instruments replaced by one General MIDI programme, rendered by FluidSynth and encoded by lame,
and the playlist page that names them ("display-name~title.mp3", '_' for blanks, CR LF lines).
Usage: make_music.py TUNE.mid SOUNDFONT.sf2 OUTPUT_FOLDER"""
import os
import struct
import subprocess
import sys
import tempfile

# title, General MIDI programme for every melodic channel (None keeps the tune's own)
ARRANGEMENTS = [("Kesp_Theme", None), ("Piano", 0), ("Music_Box", 10), ("Organ", 19), ("Guitar", 24),
                ("Strings", 48)]
DRUM_CHANNEL = 9


def read_varlen(data, at):
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def rearrange_track(data, programme):
    """The track with every programme change of a melodic channel set to `programme`."""
    out = bytearray(data)
    at, status = 0, 0
    while at < len(data):
        _, at = read_varlen(data, at)
        if data[at] & 0x80:
            status = data[at]
            at += 1
        if status == 0xFF:
            at += 1
            length, at = read_varlen(data, at)
            at += length
        elif status in (0xF0, 0xF7):
            length, at = read_varlen(data, at)
            at += length
        else:
            kind, channel = status & 0xF0, status & 0x0F
            if kind == 0xC0 and channel != DRUM_CHANNEL:
                out[at] = programme
            at += 1 if kind in (0xC0, 0xD0) else 2
    return bytes(out)


def rearrange(midi, programme):
    if programme is None:
        return midi
    out, at = bytearray(), 0
    while at < len(midi):
        kind, length = midi[at:at + 4], struct.unpack(">I", midi[at + 4:at + 8])[0]
        body = midi[at + 8:at + 8 + length]
        if kind == b"MTrk":
            body = rearrange_track(body, programme)
        out += kind + struct.pack(">I", len(body)) + body
        at += 8 + length
    return bytes(out)


def main():
    tune, soundfont, folder = sys.argv[1:4]
    os.makedirs(folder, exist_ok=True)
    with open(tune, "rb") as f:
        midi = f.read()
    lines = []
    with tempfile.TemporaryDirectory() as scratch:
        for title, programme in ARRANGEMENTS:
            line = "Kesp~%s.mp3" % title
            mid, wav = os.path.join(scratch, title + ".mid"), os.path.join(scratch, title + ".wav")
            with open(mid, "wb") as f:
                f.write(rearrange(midi, programme))
            subprocess.run(["fluidsynth", "-ni", "-q", "-g", "0.7", "-r", "44100", "-F", wav, soundfont, mid],
                           check=True, stdout=subprocess.DEVNULL)
            subprocess.run(["lame", "--quiet", "-b", "128", wav, os.path.join(folder, line)], check=True)
            lines.append(line)
    with open(os.path.join(folder, "_playlist.html"), "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("utf-8"))


if __name__ == "__main__":
    main()
