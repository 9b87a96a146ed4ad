// Emscripten's GLUT hands the motion callbacks the pointer position of the event before
// the current one, so a drag ends one event short of where the pointer stopped. The
// program's motion and passive motion callbacks get the position the event reports.
GLUT.onMousemove = function (event) {
    const last_x = Browser.mouseX;
    const last_y = Browser.mouseY;
    Browser.calculateMouseEvent(event);
    if (Browser.mouseX == last_x && Browser.mouseY == last_y)
        return;
    let callback = 0;
    if (GLUT.buttons == 0 && event.target == Module['canvas'])
        callback = GLUT.passiveMotionFunc;
    else if (GLUT.buttons != 0)
        callback = GLUT.motionFunc;
    if (callback) {
        event.preventDefault();
        GLUT.saveModifiers(event);
        getWasmTableEntry(callback)(Browser.mouseX, Browser.mouseY);
    }
};
