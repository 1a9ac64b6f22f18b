// The page's service worker, registered on every visit: it keeps the game's files for the next one
// and gives the page the cross-origin isolation a static host does not send. A page that loaded
// without it reloads once, when the worker is ready; if the page is still not isolated after that
// (a browser without service workers, or one that bypasses them), it does not reload again.
'use strict';
(function () {
    const kReloaded = 'stalkway-isolation-reload';
    const worker = 'serviceWorker' in navigator && window.isSecureContext ? navigator.serviceWorker : null;
    const registered = worker ? worker.register('service-worker.js').then(() => true, () => false) : Promise.resolve(false);
    // A browser that refuses the page its session storage refuses the reload too: no way to
    // remember that it was tried.
    const session = (() => {
        try {
            return window.sessionStorage;
        } catch (e) {
            return null;
        }
    })();
    if (session && self.crossOriginIsolated === true) session.removeItem(kReloaded);

    // Resolves true when the page is about to reload itself isolated.
    window.stalkwayIsolate = async function () {
        if (!session || !(await registered) || session.getItem(kReloaded) !== null) return false;
        await worker.ready;
        session.setItem(kReloaded, '1');
        location.reload();
        return true;
    };
})();
