# The title chime: three glass bells rising A, E, A, a breath apart, over a thin high shimmer.
# The bells die away over the last 0.3 s rather than stopping while they still ring.
# Free-bar partials (1, 2.76, 5.40, 8.93) give the glassy ring.
rate 44100
seed 11
length 2.6
peak 0.7

tone  at=0.00 len=2.60 freq=880.0  attack=0.003 decay=0.85 fade=0.3 gain=1.00 partials=1:1,2.76:0.35,5.40:0.14,8.93:0.05
tone  at=0.16 len=2.44 freq=1318.5 attack=0.003 decay=0.75 fade=0.3 gain=0.80 partials=1:1,2.76:0.30,5.40:0.10,8.93:0.04
tone  at=0.32 len=2.28 freq=1760.0 attack=0.003 decay=0.85 fade=0.3 gain=0.75 partials=1:1,2.76:0.25,5.40:0.08
# a soft octave below the last bell, so the chime does not sound thin
tone  at=0.32 len=2.28 freq=880.0  attack=0.02 decay=1.10 fade=0.3 gain=0.25
noise at=0.00 len=1.40 low=5000 high=12000 attack=0.05 decay=0.45 gain=0.15
