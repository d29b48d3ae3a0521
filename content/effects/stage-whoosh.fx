# The stage start: a rush of air that rises as the curtain falls, and stops short.
rate 44100
seed 21
length 1.3
peak 0.8

# the air: a band of noise swept upward, swelling to the end
noise at=0 len=1.3 low=150 high=600 low2=1500 high2=7000 attack=1.0 fade=0.22 gain=1.0
# its body, an octave of low rush under it
noise at=0 len=1.3 low=60 high=250 low2=220 high2=900 attack=0.9 fade=0.25 gain=0.8
# a faint rising tone inside the rush
tone  at=0 len=1.3 freq=110 to=440 attack=1.0 fade=0.25 gain=0.05 partials=1:1,2:0.4,3:0.15
