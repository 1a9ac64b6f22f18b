// The keys the page keeps for itself. Escape closes the page's message or question, or leaves the
// whole screen; otherwise it asks before it lets the program have it, since the program ends on it
// and a game in progress would be lost.
'use strict';
(function () {
    const kEscape = 27;
    const kReturn = 13;
    let ask = null;

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
    // program its Escape.
    function pageTakes(event, down, leave) {
        if (ask === null) ask = question(leave);
        if (!ask.hidden) {
            if (down && event.keyCode === kEscape) close();
            else if (down && event.keyCode === kReturn && document.activeElement && document.activeElement.parentNode === ask)
                document.activeElement.click();
            return true;
        }
        if (event.keyCode !== kEscape) return false;
        if (!down) return true;
        const message = document.getElementById('message');
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
