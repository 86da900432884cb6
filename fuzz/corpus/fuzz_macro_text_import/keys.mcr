Keyboard : LControlKey : KeyDown
Keyboard : C : KeyPress
Keyboard : ControlKey : KeyUp
KEYBOARD : a : KEYDOWN
delay 40
Keyboard : NumPad7 : KeyPress
Keyboard : F10 : KeyPress
