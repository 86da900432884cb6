MOUSE : C10 : C20 : Click
DELAY : 250
MOUSE : C-5 : C7 : RightClick
MOUSE : 300 : 400 : LeftButtonDown
MOUSE : 310 : 410 : LeftButtonUp
MOUSE : 0 : 0 : Wheel : -120
