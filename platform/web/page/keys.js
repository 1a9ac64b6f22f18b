// The keys the page keeps for itself. Escape closes the page's message or question; while the
// program edits a text field, it is the program's, which drops the edit as on the desktop;
// otherwise it leaves the whole screen, or asks before it lets the program have it, since the
// program ends on it and a game in progress would be lost.
'use strict';
(function () {
    const kEscape = 27;
    const kReturn = 13;
    let ask = null;
    // An Escape that went down to the program comes up there too.
    let escapeToProgram = false;

    function question(leave) {
        const box = document.createElement('div');
        box.id = 'ask';
        box.setAttribute('role', 'alertdialog');
        box.hidden = true;
        const h = Object.assign(document.createElement('h2'), { textContent: 'Leave the game?' });
        const p = Object.assign(document.createElement('p'), { textContent: 'A game in progress ends.' });
        const stay = Object.assign(document.createElement('button'), { type: 'button', id: 'ask-stay', textContent: 'Play on' });
        const go = Object.assign(document.createElement('button'), { type: 'button', id: 'ask-leave', textContent: 'Leave' });
        stay.addEventListener('click', () => close());
        go.addEventListener('click', () => {
            close();
            leave();
        });
        box.append(h, p, stay, go);
        document.getElementById('stage').appendChild(box);
        return box;
    }

    function close() {
        ask.hidden = true;
        document.getElementById('stage').focus();
    }

    // Returns true when the page took the key and the program must not see it. `leave` hands the
    // program its Escape; `editing` says whether the program edits a text field.
    function pageTakes(event, down, leave, editing) {
        if (ask === null) ask = question(leave);
        if (!ask.hidden) {
            if (down && event.keyCode === kEscape) close();
            else if (down && event.keyCode === kReturn && document.activeElement && document.activeElement.parentNode === ask)
                document.activeElement.click();
            return true;
        }
        if (event.keyCode !== kEscape) return false;
        if (!down) {
            const program = escapeToProgram;
            escapeToProgram = false;
            return !program;
        }
        const message = document.getElementById('message');
        escapeToProgram = message.hidden && editing;
        if (escapeToProgram) return false;
        if (!message.hidden) message.hidden = true;
        else if (document.fullscreenElement) document.exitFullscreen();
        else {
            ask.hidden = false;
            document.getElementById('ask-stay').focus();
        }
        return true;
    }

    window.stalkwayKeys = { pageTakes };
})();
