# The game over: a low bell tolls twice, each stroke lower, its pitch sinking as it dies.
# Each stroke dies away over its last 0.4 s rather than stopping while it still rings.
# Church-bell partials: hum (0.5), prime, minor third (1.2), fifth, nominal (2) and a few above.
rate 44100
seed 41
length 5.0
peak 0.85

tone  at=0.0 len=3.2 freq=98.0 to=88.0 attack=0.004 decay=1.4 fade=0.4 gain=1.0 partials=0.5:0.6,1:1,1.2:0.5,1.5:0.3,2:0.55,2.5:0.2,3:0.15,4.2:0.08
noise at=0.0 len=0.08 low=300 high=3000 decay=0.02 gain=0.4
tone  at=1.6 len=3.4 freq=73.4 to=61.7 attack=0.004 decay=1.8 fade=0.4 gain=1.1 partials=0.5:0.6,1:1,1.2:0.5,1.5:0.3,2:0.55,2.5:0.2,3:0.15,4.2:0.08
noise at=1.6 len=0.08 low=250 high=2500 decay=0.02 gain=0.4
