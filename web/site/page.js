// Runs one program's browser build on its page: the canvas is its window, the console
// panel shows its lines, buttons send its keys, hold its right button and show it full
// screen, and what is left shows when it ends. A page part that prepares the run (the
// shader editor) sets window.planesBeforeStart, which the start waits for.
'use strict';
(function () {
    const program = document.currentScript.dataset.program;
    const canvas = document.getElementById('canvas');
    const panel = document.getElementById('console');
    const ended = document.getElementById('ended');
    const screen_box = canvas.parentElement;  // what goes full screen
    const buttons = document.querySelectorAll('.controls button');
    const max_lines = 2000;  // transformplanes prints 40 lines a frame in one of its scenes

    // The programs' windows are single-buffered: each frame draws over the last one and
    // nothing is swapped. WebGL clears the canvas after every frame unless it is told to
    // keep it, and GLUT creates the context itself, so ask for that here.
    const get_context = canvas.getContext;
    canvas.getContext = function (type, attributes) {
        if (type === 'webgl' || type === 'webgl2')
            attributes = Object.assign({}, attributes, {preserveDrawingBuffer: true});
        return get_context.call(this, type, attributes);
    };

    // The panel follows new lines unless the reader has scrolled up from its end. It looks
    // and scrolls once a frame at most: reading the layout for every line would cost
    // frames when a program prints dozens of lines a frame.
    let end_height = 0;  // the panel's height when it last scrolled to its end
    let scroll_requested = false;
    function follow_lines() {
        scroll_requested = false;
        if (panel.scrollTop + panel.clientHeight >= end_height - 2) {
            panel.scrollTop = panel.scrollHeight;
            end_height = panel.scrollHeight;
        }
    }
    function show_line(text, is_error) {
        const line = document.createElement('span');
        if (is_error)
            line.className = 'stderr';
        line.textContent = text + '\n';
        panel.appendChild(line);
        if (panel.childNodes.length > max_lines)
            panel.removeChild(panel.firstChild);
        if (!scroll_requested) {
            scroll_requested = true;
            requestAnimationFrame(follow_lines);
        }
    }

    let finished = false;
    function finish(status_text) {
        if (finished)
            return;
        finished = true;
        canvas.hidden = true;
        document.getElementById('exit-status').textContent = status_text;
        ended.hidden = false;
        buttons.forEach(function (button) { button.disabled = true; });
        if (document.fullscreenElement)
            document.exitFullscreen();
    }

    window.Module = {
        canvas: canvas,
        print: function (text) {
            console.log(text);
            show_line(text, false);
        },
        printErr: function (text) {
            console.error(text);
            show_line(text, true);
        },
        onExit: function (status) {
            window.planesExitStatus = status;
            finish(' (exit status ' + status + ')');
        },
        onAbort: function (what) {
            show_line('stopped: ' + what, true);
            finish(' (stopped by an error)');
        },
    };

    // Ending the program throws ExitStatus out of whichever handler ended it; that is
    // how it stops, not an error to report.
    window.addEventListener('error', function (event) {
        if (event.error && event.error.name === 'ExitStatus')
            event.preventDefault();
    });

    // Emscripten's GLUT reads keys from keydown and keyup on window, by keyCode.
    function send_key(code) {
        ['keydown', 'keyup'].forEach(function (type) {
            const event = new KeyboardEvent(type, {bubbles: true, cancelable: true});
            Object.defineProperty(event, 'keyCode', {get: function () { return code; }});
            window.dispatchEvent(event);
        });
    }
    document.querySelectorAll('button[data-key]').forEach(function (button) {
        button.addEventListener('click', function () { send_key(Number(button.dataset.key)); });
    });
    document.getElementById('close').addEventListener('click', function () {
        Module._web_close_window();
    });

    // Full screen shows the box around the canvas, which page.css fills with the canvas.
    const full_screen = document.getElementById('full-screen');
    full_screen.hidden = !document.fullscreenEnabled;
    full_screen.addEventListener('click', function () { screen_box.requestFullscreen(); });
    // ESC leaves full screen, as in browsers that keep the key to themselves there; it
    // must not also reach the program (ESC quits shaderplanes). GLUT listens on window
    // too, registered later, so this listener runs first and can stop it.
    window.addEventListener('keydown', function (event) {
        if (event.keyCode === 27 && document.fullscreenElement) {
            event.stopImmediatePropagation();
            event.preventDefault();
            document.exitFullscreen();
        }
    }, true);

    // Keys typed into a text field (shaderplanes' shader editors) are the page's. GLUT,
    // whose listeners on window come later, would take them for the program's and cancel
    // them; stopping them here leaves the typing to the field.
    ['keydown', 'keyup', 'keypress'].forEach(function (type) {
        window.addEventListener(type, function (event) {
            if (event.target instanceof HTMLTextAreaElement || event.target instanceof HTMLInputElement)
                event.stopImmediatePropagation();
        }, true);
    });

    // The right mouse button, held while its control is touched or pressed. Emscripten's
    // GLUT takes buttons from mousedown and mouseup on window (event.button) and tells the
    // program of a press only when it is on the canvas, at the event's position: the
    // control's presses go to the canvas where the pointer last was on it, kept relative
    // to the canvas's box so that a scroll since then does not move it.
    let last_offset = [0, 0];  // GLUT's pointer starts at the window's top left corner
    ['mousedown', 'mousemove', 'mouseup'].forEach(function (type) {
        window.addEventListener(type, function (event) {
            if (event.target !== canvas)
                return;
            const box = canvas.getBoundingClientRect();
            last_offset = [event.clientX - box.left, event.clientY - box.top];
        }, true);
    });
    function right_button(type) {
        // A mouse event's position is in whole CSS pixels: the nearest to the last one.
        const box = canvas.getBoundingClientRect();
        canvas.dispatchEvent(new MouseEvent(type, {
            bubbles: true, cancelable: true, view: window, button: 2,
            clientX: Math.round(box.left + last_offset[0]), clientY: Math.round(box.top + last_offset[1])}));
    }
    document.querySelectorAll('button[data-button="right"]').forEach(function (hold) {
        function set_held(held) {
            if ((hold.getAttribute('aria-pressed') === 'true') === held)
                return;  // a second finger on the control, or a cancel after the lift
            hold.setAttribute('aria-pressed', String(held));
            right_button(held ? 'mousedown' : 'mouseup');
        }
        hold.addEventListener('pointerdown', function (event) {
            // No mouse events follow for this pointer: GLUT would take them for the left
            // button. The capture keeps a finger that slides off holding the button.
            event.preventDefault();
            hold.setPointerCapture(event.pointerId);
            set_held(true);
        });
        ['pointerup', 'pointercancel'].forEach(function (type) {
            hold.addEventListener(type, function () { set_held(false); });
        });
        // A long press opens no menu.
        hold.addEventListener('contextmenu', function (event) { event.preventDefault(); });
    });

    // Emscripten's GLUT turns one-finger touches on the canvas into left-button events
    // from window-level listeners, which browsers make passive: cancel the touches on
    // the canvas itself, so that no page scroll or zoom and no second, emulated click
    // follows. A cancelled touch lets the button go, as lifting the finger does.
    ['touchstart', 'touchmove', 'touchend'].forEach(function (type) {
        canvas.addEventListener(type, function (event) { event.preventDefault(); }, {passive: false});
    });
    canvas.addEventListener('touchcancel', function (event) {
        const touch = event.changedTouches[0];
        canvas.dispatchEvent(new MouseEvent('mouseup', {
            bubbles: true, cancelable: true, clientX: touch.clientX, clientY: touch.clientY,
            screenX: touch.screenX, screenY: touch.screenY, button: 0}));
    });

    function load_program() {
        const script = document.createElement('script');
        script.src = program + '.js';
        script.onerror = function () {
            show_line('cannot load ' + script.src, true);
            finish(' (it could not be loaded)');
        };
        document.body.appendChild(script);
    }
    Promise.resolve(window.planesBeforeStart && window.planesBeforeStart(Module)).then(load_program);
})();
