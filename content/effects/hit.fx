# The hit: a sharp crack, splinters, and a rumble that rolls away underneath.
rate 44100
seed 31
length 1.5
peak 0.9

# the crack: a burst of bright noise, gone in a few hundredths of a second
noise at=0.000 len=0.12 low=1500 high=14000 attack=0.0005 decay=0.025 gain=1.0
# the splinters: sparse clicks that thin out
noise at=0.005 len=0.50 low=800 high=9000 density=300 attack=0.001 decay=0.12 gain=1.2
# the blow: a low thump falling in pitch
tone  at=0.000 len=0.50 freq=120 to=38 attack=0.002 decay=0.12 gain=0.6 partials=1:1,2:0.25
# the rumble, dying away over its last 0.3 s
noise at=0.010 len=1.49 low=25 high=160 low2=20 high2=90 attack=0.03 decay=0.45 fade=0.3 gain=6.0
