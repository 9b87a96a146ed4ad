// The seeded event stream: real input through XTest, synthetic events with coordinates
// no pointer can reach, and window changes. Every draw from the generator depends only
// on the seed and on what the stream itself did before, so a seed replays its stream.
#include "storm.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdarg>
#include <cstdio>
#include <iterator>

const char* const storm_kind_names[STORM_KIND_COUNT] = {
    "keys", "modifier taps", "clicks", "button presses/releases", "drags", "moves", "far moves",
    "synthetic", "resizes", "window moves", "unmaps"};

static const int button_count = 5;  // 4 and 5 are the wheel
static const int recent_kept = 24;

// Keys a user may press. The ones the programs act on come more than once. The key
// that ends the program under test is filtered out when drawn (ends_program).
static const KeySym storm_keys[] = {
    XK_a, XK_b, XK_c, XK_d, XK_e, XK_f, XK_g, XK_h, XK_i, XK_j, XK_k, XK_l, XK_m, XK_n, XK_o, XK_p, XK_q,
    XK_r, XK_r, XK_r, XK_s, XK_t, XK_u, XK_v, XK_w, XK_x, XK_y, XK_z, XK_0, XK_1, XK_2, XK_3, XK_4, XK_5,
    XK_6, XK_7, XK_8, XK_9, XK_space, XK_Return, XK_Tab, XK_BackSpace, XK_Delete, XK_Escape,
    XK_bracketleft, XK_bracketright, XK_minus, XK_equal, XK_semicolon, XK_apostrophe, XK_grave, XK_comma,
    XK_period, XK_slash, XK_backslash, XK_Left, XK_Right, XK_Up, XK_Down, XK_Left, XK_Right, XK_Up, XK_Down,
    XK_Left, XK_Right, XK_Up, XK_Down, XK_F1, XK_F2, XK_F3, XK_F4, XK_F5, XK_F6, XK_F7, XK_F8, XK_F9, XK_F10,
    XK_F11, XK_F12, XK_Home, XK_End, XK_Prior, XK_Next, XK_Insert, XK_Pause, XK_Menu};

static const KeySym storm_modifiers[] = {XK_Shift_L, XK_Shift_R, XK_Control_L, XK_Control_R, XK_Alt_L, XK_Super_L};
static const KeySym storm_locks[] = {XK_Caps_Lock, XK_Num_Lock};

// Coordinates for synthetic events: the 16-bit limits and beyond any window.
static const int extreme_coords[] = {-32768, -32767, -32000, -3000, -1, 0, 1, 2999, 3000, 32000, 32767};

static int uniform(StormInput& in, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(in.rng);
}

static void note(StormInput& in, StormKind kind, const char* format, ...) __attribute__((format(printf, 3, 4)));

static void note(StormInput& in, StormKind kind, const char* format, ...)
{
    char text[200];
    int n = snprintf(text, sizeof text, "#%ld %s: ", in.action_index, storm_kind_names[kind]);
    va_list args;
    va_start(args, format);
    vsnprintf(text + n, sizeof text - static_cast<size_t>(n), format, args);
    va_end(args);
    in.counts[kind]++;
    in.recent.push_back(text);
    if (in.recent.size() > recent_kept)
        in.recent.pop_front();
    if (in.trace)
        fprintf(stdout, "%s\n", text);
}

// The modifier bits the server reports for a keysym (Control_L -> ControlMask, ...).
static unsigned modifier_mask(Display* dpy, KeySym sym)
{
    KeyCode code = XKeysymToKeycode(dpy, sym);
    XModifierKeymap* map = XGetModifierMapping(dpy);
    unsigned mask = 0;
    for (int m = 0; m < 8; ++m)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (code != 0 && map->modifiermap[m * map->max_keypermod + k] == code)
                mask |= 1u << m;
    XFreeModifiermap(map);
    return mask;
}

// The program sees what freeglut makes of the key: the first byte of XLookupString as a
// character, or, when there is none, a special key from the keysym. shaderplanes ends on
// the character 27 (ESC, but also Ctrl+[ or Ctrl+3); the others on the End special key.
static int ends_program(StormInput& in, KeyCode code, unsigned state)
{
    XKeyEvent ev{};
    ev.type = KeyPress;
    ev.display = in.dpy;
    ev.window = in.win;
    ev.keycode = code;
    ev.state = state;
    char text[16];
    KeySym sym = NoSymbol;
    int n = XLookupString(&ev, text, sizeof text, &sym, nullptr);
    if (in.program->quits_on_escape)
        return n > 0 && text[0] == 27;
    return n <= 0 && (sym == XK_End || sym == XK_KP_End);
}

static void focus_window(StormInput& in)
{
    // No window manager: give the keyboard focus to the window while it is mapped.
    if (in.mapped)
        XSetInputFocus(in.dpy, in.win, RevertToPointerRoot, CurrentTime);
}

static void fake_key(StormInput& in, KeyCode code, int press)
{
    XTestFakeKeyEvent(in.dpy, code, press ? True : False, CurrentTime);
    in.x_events++;
}

static void fake_motion(StormInput& in, int x, int y)
{
    XTestFakeMotionEvent(in.dpy, -1, x, y, CurrentTime);
    in.x_events++;
}

static void fake_button(StormInput& in, int button, int press)
{
    XTestFakeButtonEvent(in.dpy, static_cast<unsigned>(button), press ? True : False, CurrentTime);
    in.x_events++;
    if (press)
        in.held_buttons |= 1u << button;
    else
        in.held_buttons &= ~(1u << button);
}

// A screen point in or around the window, often on its edges, sometimes far outside.
static void pick_point(StormInput& in, int* x, int* y)
{
    switch (uniform(in, 0, 5)) {
    case 0:  // the window's corners and edges
        *x = in.win_x + (uniform(in, 0, 1) ? -1 : in.win_w) + uniform(in, -1, 1);
        *y = in.win_y + uniform(in, -1, in.win_h);
        break;
    case 1:  // screen corners: window-relative coordinates go negative or past the window
        *x = uniform(in, 0, 1) ? 0 : screen_w - 1;
        *y = uniform(in, 0, 1) ? 0 : screen_h - 1;
        break;
    case 2:  // far beyond the screen; the server clamps
        *x = uniform(in, -20000, 20000);
        *y = uniform(in, -20000, 20000);
        break;
    default:  // inside the window
        *x = in.win_x + uniform(in, 0, in.win_w > 1 ? in.win_w - 1 : 0);
        *y = in.win_y + uniform(in, 0, in.win_h > 1 ? in.win_h - 1 : 0);
        break;
    }
}

static void action_key(StormInput& in)
{
    KeySym sym = storm_keys[uniform(in, 0, static_cast<int>(std::size(storm_keys)) - 1)];
    int modifier_count = uniform(in, 0, 9) < 6 ? 0 : uniform(in, 1, 2);
    KeySym mods[2] = {0, 0};
    for (int i = 0; i < modifier_count; ++i)
        mods[i] = storm_modifiers[uniform(in, 0, static_cast<int>(std::size(storm_modifiers)) - 1)];
    KeyCode code = XKeysymToKeycode(in.dpy, sym);
    unsigned state = (in.caps_lock ? LockMask : 0u) | (in.num_lock ? modifier_mask(in.dpy, XK_Num_Lock) : 0u);
    for (int i = 0; i < modifier_count; ++i)
        state |= modifier_mask(in.dpy, mods[i]);
    const char* name = XKeysymToString(sym);
    if (code == 0 || ends_program(in, code, state)) {
        in.quit_keys_left++;
        note(in, STORM_KEY, "%s with state 0x%x left out (ends the program)", name ? name : "?", state);
        return;
    }
    focus_window(in);
    for (int i = 0; i < modifier_count; ++i)
        fake_key(in, XKeysymToKeycode(in.dpy, mods[i]), 1);
    fake_key(in, code, 1);
    fake_key(in, code, 0);
    for (int i = modifier_count; i-- > 0;)
        fake_key(in, XKeysymToKeycode(in.dpy, mods[i]), 0);
    note(in, STORM_KEY, "%s state 0x%x", name ? name : "?", state);
}

static void action_modifier(StormInput& in)
{
    int lock = uniform(in, 0, 4) == 0;
    KeySym sym = lock ? storm_locks[uniform(in, 0, 1)]
                      : storm_modifiers[uniform(in, 0, static_cast<int>(std::size(storm_modifiers)) - 1)];
    KeyCode code = XKeysymToKeycode(in.dpy, sym);
    if (code == 0)
        return;
    focus_window(in);
    fake_key(in, code, 1);
    fake_key(in, code, 0);
    if (sym == XK_Caps_Lock)
        in.caps_lock = !in.caps_lock;
    if (sym == XK_Num_Lock)
        in.num_lock = !in.num_lock;
    const char* name = XKeysymToString(sym);
    note(in, STORM_MODIFIER, "%s", name ? name : "?");
}

static void action_click(StormInput& in)
{
    int button = uniform(in, 1, button_count);
    int x, y;
    pick_point(in, &x, &y);
    int times = uniform(in, 0, 5) == 0 ? 2 : 1;
    fake_motion(in, x, y);
    for (int i = 0; i < times; ++i) {
        fake_button(in, button, 1);
        fake_button(in, button, 0);
    }
    note(in, STORM_CLICK, "button %d x%d at %d,%d", button, times, x, y);
}

static void action_button(StormInput& in)
{
    int button = uniform(in, 1, button_count);
    int press = !(in.held_buttons & (1u << button));
    fake_button(in, button, press);
    note(in, STORM_BUTTON, "button %d %s", button, press ? "press" : "release");
}

static void action_drag(StormInput& in)
{
    int button = uniform(in, 1, button_count);
    int x0, y0, x1, y1;
    pick_point(in, &x0, &y0);
    pick_point(in, &x1, &y1);
    int steps = uniform(in, 1, 24);
    int release = uniform(in, 0, 7) != 0;  // now and then the button stays down
    fake_motion(in, x0, y0);
    fake_button(in, button, 1);
    XSync(in.dpy, False);
    for (int i = 1; i <= steps; ++i) {
        fake_motion(in, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        XSync(in.dpy, False);
        sleep_ms(1);
    }
    if (release)
        fake_button(in, button, 0);
    note(in, STORM_DRAG, "button %d %d,%d -> %d,%d in %d steps%s", button, x0, y0, x1, y1, steps,
         release ? "" : ", held");
}

static void action_motion(StormInput& in)
{
    int x, y;
    pick_point(in, &x, &y);
    fake_motion(in, x, y);
    note(in, STORM_MOTION, "to %d,%d", x, y);
}

static void action_far_motion(StormInput& in)
{
    int x = uniform(in, 0, 1) ? uniform(in, -100000, -1) : uniform(in, screen_w, 100000);
    int y = uniform(in, 0, 1) ? uniform(in, -100000, -1) : uniform(in, screen_h, 100000);
    if (uniform(in, 0, 2) == 0) {
        XTestFakeRelativeMotionEvent(in.dpy, x, y, CurrentTime);
        in.x_events++;
        note(in, STORM_FAR_MOTION, "relative by %d,%d", x, y);
        return;
    }
    fake_motion(in, x, y);
    note(in, STORM_FAR_MOTION, "to %d,%d (clamped)", x, y);
}

// Sent straight to the window's owner, which takes them as its own pointer events.
static void action_synthetic(StormInput& in)
{
    int type = uniform(in, 0, 2);
    int x = uniform(in, 0, 2) ? extreme_coords[uniform(in, 0, static_cast<int>(std::size(extreme_coords)) - 1)]
                              : uniform(in, -32768, 32767);
    int y = uniform(in, 0, 2) ? extreme_coords[uniform(in, 0, static_cast<int>(std::size(extreme_coords)) - 1)]
                              : uniform(in, -32768, 32767);
    unsigned state = static_cast<unsigned>(uniform(in, 0, 31)) << 8;  // Button1Mask .. Button5Mask
    int button = uniform(in, 1, button_count);
    XEvent ev{};
    Window root = DefaultRootWindow(in.dpy);
    if (type == 0) {
        ev.xmotion.type = MotionNotify;
        ev.xmotion.window = in.win;
        ev.xmotion.root = root;
        ev.xmotion.x = x;
        ev.xmotion.y = y;
        ev.xmotion.x_root = x;
        ev.xmotion.y_root = y;
        ev.xmotion.state = state;
        ev.xmotion.same_screen = True;
    } else {
        ev.xbutton.type = type == 1 ? ButtonPress : ButtonRelease;
        ev.xbutton.window = in.win;
        ev.xbutton.root = root;
        ev.xbutton.x = x;
        ev.xbutton.y = y;
        ev.xbutton.x_root = x;
        ev.xbutton.y_root = y;
        ev.xbutton.state = state;
        ev.xbutton.button = static_cast<unsigned>(button);
        ev.xbutton.same_screen = True;
    }
    XSendEvent(in.dpy, in.win, False, NoEventMask, &ev);
    in.x_events++;
    static const char* const names[] = {"MotionNotify", "ButtonPress", "ButtonRelease"};
    note(in, STORM_SYNTHETIC, "%s button %d state 0x%x at %d,%d", names[type], type ? button : 0, state, x, y);
}

static void set_size(StormInput& in, int w, int h)
{
    XResizeWindow(in.dpy, in.win, static_cast<unsigned>(w), static_cast<unsigned>(h));
    in.x_events++;
    in.win_w = w;
    in.win_h = h;
}

static void action_resize(StormInput& in)
{
    int w, h;
    switch (uniform(in, 0, 7)) {
    case 0:
        w = h = 1;
        break;
    case 1:
        w = h = 3000;
        break;
    case 2:  // one side collapsed, the other huge
        w = uniform(in, 0, 1) ? 1 : 3000;
        h = w == 1 ? 3000 : 1;
        break;
    case 3:
        w = in.program->width;
        h = in.program->height;
        break;
    default:
        w = uniform(in, 1, 2000);
        h = uniform(in, 1, 1500);
        break;
    }
    set_size(in, w, h);
    note(in, STORM_RESIZE, "%d x %d", w, h);
}

static void action_window_move(StormInput& in)
{
    if (uniform(in, 0, 3) == 0) {
        in.win_x = uniform(in, 0, 1) ? -in.win_w + 1 : screen_w - 1;
        in.win_y = uniform(in, 0, 1) ? -in.win_h + 1 : screen_h - 1;
    } else {
        in.win_x = uniform(in, -1500, 1500);
        in.win_y = uniform(in, -1000, 1100);
    }
    XMoveWindow(in.dpy, in.win, in.win_x, in.win_y);
    in.x_events++;
    note(in, STORM_WINDOW_MOVE, "to %d,%d", in.win_x, in.win_y);
}

static void set_mapped(StormInput& in, int mapped)
{
    if (mapped)
        XMapWindow(in.dpy, in.win);
    else
        XUnmapWindow(in.dpy, in.win);
    in.x_events++;
    in.mapped = mapped;
}

static void action_unmap(StormInput& in)
{
    int remap_after = uniform(in, 0, 30);
    if (!in.mapped)
        return;
    set_mapped(in, 0);
    in.remap_after = remap_after;
    note(in, STORM_UNMAP, "mapped again after %d actions", remap_after);
}

typedef void (*StormAction)(StormInput&);

static const StormAction actions[STORM_KIND_COUNT] = {
    action_key,    action_modifier, action_click,  action_button,      action_drag, action_motion,
    action_far_motion, action_synthetic, action_resize, action_window_move, action_unmap};

// Relative weights per kind, in the order of StormKind.
static const int weights[STORM_KIND_COUNT] = {24, 3, 12, 8, 6, 20, 5, 10, 4, 3, 1};

static void run_action(StormInput& in, int kind)
{
    actions[kind](in);
    if (!in.mapped && in.remap_after-- <= 0)
        set_mapped(in, 1);
    XSync(in.dpy, False);
    in.action_index++;
}

void storm_init(StormInput& in, StormSession& s, const StormProgram& program, uint32_t seed)
{
    in.rng.seed(seed);
    in.program = &program;
    in.dpy = s.dpy;
    in.win = s.win;
    in.win_w = program.width;
    in.win_h = program.height;
}

void storm_step(StormInput& in)
{
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    run_action(in, pick(in.rng));
}

// One of every kind, every button, and the biggest window followed at once by the
// smallest, at the start of the warm-up.
void storm_tour(StormInput& in)
{
    for (int kind = 0; kind < STORM_KIND_COUNT; ++kind)
        run_action(in, kind);
    for (int button = 1; button <= button_count; ++button) {
        fake_button(in, button, 1);
        fake_button(in, button, 0);
    }
    set_size(in, 3000, 3000);
    note(in, STORM_RESIZE, "3000 x 3000");
    XSync(in.dpy, False);
    sleep_ms(500);
    set_size(in, 1, 1);
    note(in, STORM_RESIZE, "1 x 1");
    XSync(in.dpy, False);
    sleep_ms(100);
}

void storm_set_size(StormInput& in, int width, int height)
{
    set_size(in, width, height);
    XSync(in.dpy, False);
}

// Window at (x, y) with the given size, the pointer at the screen point (px, py).
void storm_place_window(StormInput& in, int x, int y, int width, int height, int px, int py)
{
    in.win_x = x;
    in.win_y = y;
    XMoveWindow(in.dpy, in.win, x, y);
    set_size(in, width, height);
    fake_motion(in, px, py);
    XSync(in.dpy, False);
}

// Back to a known state: nothing held, window mapped at (0, 0) at its opening size,
// pointer at its centre. Synthetic releases undo synthetic presses.
void storm_restore(StormInput& in)
{
    for (int button = 1; button <= button_count; ++button) {
        if (in.held_buttons & (1u << button))
            fake_button(in, button, 0);
    }
    if (!in.mapped)
        set_mapped(in, 1);
    in.win_x = in.win_y = 0;
    XMoveWindow(in.dpy, in.win, 0, 0);
    set_size(in, in.program->width, in.program->height);
    fake_motion(in, in.win_w / 2, in.win_h / 2);
    for (int button = 1; button <= button_count; ++button) {
        XEvent ev{};
        ev.xbutton.type = ButtonRelease;
        ev.xbutton.window = in.win;
        ev.xbutton.root = DefaultRootWindow(in.dpy);
        ev.xbutton.x = ev.xbutton.x_root = in.win_w / 2;
        ev.xbutton.y = ev.xbutton.y_root = in.win_h / 2;
        ev.xbutton.button = static_cast<unsigned>(button);
        ev.xbutton.same_screen = True;
        XSendEvent(in.dpy, in.win, False, NoEventMask, &ev);
    }
    XSync(in.dpy, False);
}
