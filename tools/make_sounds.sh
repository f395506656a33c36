#!/usr/bin/env bash
# Makes the two wave files of the program folder, synthesised with sox (no
# recorded sounds):
#   data/sound1.wav  the ball running round the track, about 2.5 s: brown
#                    noise through a band-pass that sweeps down as the ball
#                    slows, with a slow tremolo for the rolling.
#   data/sound2.wav  the ball falling into the pockets: three short clicks
#                    (bursts of filtered white noise) that come closer and
#                    softer, like a ball bouncing and settling.
# Both are 22,050 Hz, 16-bit mono; -R makes the noise repeatable. Rerun after changing anything here:
#   tools/make_sounds.sh        (needs: apt-get install -y --no-install-recommends sox)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v sox >/dev/null || { echo "sox is needed: apt-get install -y --no-install-recommends sox" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rate=22050

# The run: 2.5 s of brown noise, band-passed round 900 Hz, a rolling tremolo
# that slows down, fading in and out.
sox -R -n -r $rate -b 16 -c 1 "$tmp/run.wav" synth 2.5 brownnoise \
    sinc 250-1800 tremolo 14 45 fade q 0.15 2.5 0.6 gain -n -6
# The slowing: the second half rolls at a lower pitch.
sox -R "$tmp/run.wav" "$tmp/run_slow.wav" bend 1.2,-300,1.2
sox -R "$tmp/run_slow.wav" data/sound1.wav gain -n -4

# The fall: clicks of 25 ms, filtered to a wooden knock, then silence.
sox -R -n -r $rate -b 16 -c 1 "$tmp/click.wav" synth 0.025 whitenoise sinc 1200-5000 fade q 0.002 0.025 0.02
sox -R -n -r $rate -b 16 -c 1 "$tmp/gap1.wav" trim 0 0.16
sox -R -n -r $rate -b 16 -c 1 "$tmp/gap2.wav" trim 0 0.09
sox -R -n -r $rate -b 16 -c 1 "$tmp/tail.wav" trim 0 0.2
sox -R "$tmp/click.wav" "$tmp/click2.wav" gain -5
sox -R "$tmp/click.wav" "$tmp/click3.wav" gain -10
sox -R "$tmp/click.wav" "$tmp/gap1.wav" "$tmp/click2.wav" "$tmp/gap2.wav" "$tmp/click3.wav" "$tmp/tail.wav" \
    "$tmp/fall.wav"
sox -R "$tmp/fall.wav" data/sound2.wav gain -n -3
echo "wrote data/sound1.wav and data/sound2.wav"
