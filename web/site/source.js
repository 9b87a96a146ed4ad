// The page's Source section: each file folded until it is opened, then highlighted with
// its lines numbered. An address ending in #PATH:LINE opens that file, scrolls to that
// line and marks it; a click on a line's number puts that address in the address bar,
// so that a link to one line can be sent.
'use strict';
(function () {
    const files = new Map();  // path as an address writes it -> its <code data-file>
    const shown = new WeakSet();
    document.querySelectorAll('code[data-file]').forEach(function (code) {
        files.set(encodeURI(code.dataset.file), code);
        const file = code.closest('details');
        file.addEventListener('toggle', function () {
            if (file.open)
                show(code);
        });
    });
    let marked = null;  // the number of the marked line

    function line_address(path, line) {
        return '#' + encodeURI(path) + ':' + line;
    }

    // Highlighting puts the code's text in spans and leaves the text as it was, so the
    // element's textContent stays the file. The numbers are a column beside it.
    function show(code) {
        if (shown.has(code))
            return;
        shown.add(code);
        hljs.highlightBlock(code);
        const text = code.textContent;
        const count = text.split('\n').length - (text.endsWith('\n') ? 1 : 0);
        const numbers = document.createElement('div');
        numbers.className = 'line-numbers';
        for (let line = 1; line <= count; ++line) {
            const number = document.createElement('a');
            number.href = line_address(code.dataset.file, line);
            number.textContent = line;
            numbers.appendChild(number);
        }
        numbers.addEventListener('click', function (event) {
            if (event.target.parentElement !== numbers || event.button !== 0 || event.ctrlKey || event.metaKey
                || event.shiftKey)
                return;  // not a plain click on a number: opening the link elsewhere stays the browser's
            event.preventDefault();
            history.replaceState(null, '', event.target.hash);
            mark(event.target);
        });
        code.parentElement.before(numbers);
    }

    // The mark is a bar behind the line, across the code; lines never wrap.
    function mark(number) {
        if (marked)
            marked.classList.remove('marked');
        marked = number;
        number.classList.add('marked');
        const box = number.closest('.code');
        let bar = box.querySelector('.line-mark');
        if (!bar) {
            bar = document.createElement('div');
            bar.className = 'line-mark';
            box.appendChild(bar);
        }
        bar.style.top = number.offsetTop + 'px';
        bar.style.height = number.offsetHeight + 'px';
        document.querySelectorAll('.line-mark').forEach(function (other) { other.hidden = other !== bar; });
    }

    // #PATH:LINE, or #PATH for the whole file; any other fragment is not ours.
    function open_address() {
        const found = /^#(.+?)(?::(\d+))?$/.exec(location.hash);
        const code = found && files.get(found[1]);
        if (!code)
            return;
        code.closest('details').open = true;
        show(code);
        const number = found[2] && code.parentElement.previousElementSibling.children[Number(found[2]) - 1];
        if (number) {
            mark(number);
            number.scrollIntoView({block: 'center'});
        } else {
            code.closest('details').scrollIntoView();
        }
    }
    window.addEventListener('hashchange', open_address);
    open_address();
})();
