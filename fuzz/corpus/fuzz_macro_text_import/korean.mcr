KEYBOARD : HanjaMode : KeyPress
วั : ฑÛ
