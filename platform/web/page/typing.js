// The phone's keyboard for the program's text fields. A phone brings up its on-screen keyboard
// only for an input element that takes the focus during the tap itself, and the program draws its
// fields itself: so it names the places that take typing and says while one is edited (its caret),
// and a tap on such a place focuses the page's hidden input, which then follows the caret. What is
// typed there reaches the program as the keys do; the input lets go of the focus when the program
// stops editing or the player taps elsewhere.
'use strict';
(function () {
    const kBackspace = 8;
    // A tap on a place that takes typing begins an edit within a frame or two; one that has not
    // begun by then never will.
    const kEditBeginsMs = 1000;
    const input = document.getElementById('typing');
    let focusedAt = 0;
    let seenEditing = false;
    // What the input holds that the program has had, while the keyboard composes a word.
    let sent = '';
    let composing = false;

    function caret() {
        const at = Module._web_typing_caret() >> 2;
        return Module.HEAP32.subarray(at, at + 5);
    }

    const editing = () => caret()[0] === 1;
    const focused = () => document.activeElement === input;

    function placeAt(x, y) {
        input.style.left = x + 'px';
        input.style.top = y + 'px';
    }

    // A tap at a point of the play area, after its pointer events went to the program.
    function tapped(areaX, areaY) {
        if (Module._web_typing_at(areaX, areaY)) {
            placeAt(areaX, areaY);
            focusedAt = performance.now();
            seenEditing = false;
            input.focus({ preventScroll: true });
        } else if (focused()) {
            input.blur();
        }
    }

    // At each animation frame: over the caret while the program edits, let go once it has stopped.
    function follow(canvas) {
        if (!focused()) return;
        const [on, left, top] = caret();
        if (on) {
            seenEditing = true;
            placeAt(canvas.offsetLeft + (left * canvas.offsetWidth) / canvas.width,
                canvas.offsetTop + (top * canvas.offsetHeight) / canvas.height);
        } else if (seenEditing || performance.now() - focusedAt > kEditBeginsMs) {
            input.blur();
        }
    }

    // A key of a real keyboard went to the program as a key already and typed nothing here; what
    // a phone's keyboard types, often a word composed letter by letter, arrives here as a changed
    // value: the program gets the difference, as Backspaces and characters.
    input.addEventListener('input', () => {
        const now = input.value;
        let same = 0;
        while (same < sent.length && same < now.length && sent[same] === now[same]) ++same;
        for (let i = same; i < sent.length; ++i) {
            Module._web_key(kBackspace, 0, 1);
            Module._web_key(kBackspace, 0, 0);
        }
        for (const c of now.slice(same)) Module._web_char(c.codePointAt(0));
        sent = now;
        if (!composing) input.value = sent = '';
    });
    input.addEventListener('compositionstart', () => { composing = true; });
    input.addEventListener('compositionend', () => {
        composing = false;
        input.value = sent = '';
    });
    input.addEventListener('blur', () => {
        composing = false;
        input.value = sent = '';
    });

    window.stalkwayTyping = { tapped, follow, editing };
})();
