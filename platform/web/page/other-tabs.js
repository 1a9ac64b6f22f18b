// Another tab of the page that stores the player's files (a score, a player's name) says so on the
// channel 'stalkway-player-files'. This tab then brings the files in from the browser's storage and
// has its program read them again, so that a launcher shows the other tab's score without a reload.
// One bringing-in at a time: messages that arrive meanwhile are answered by one more afterwards.
'use strict';
window.stalkwayHearOtherTabs = function (bringIn) {
    if (typeof BroadcastChannel !== 'function') return;
    const channel = new BroadcastChannel('stalkway-player-files');
    let running = false;
    let again = false;
    channel.onmessage = async () => {
        if (running) {
            again = true;
            return;
        }
        running = true;
        do {
            again = false;
            await bringIn();
        } while (again);
        running = false;
    };
};
