// The player's files in the browser, shared by every tab of the game: IndexedDB, mounted at /kept
// by page.js. The program (kept_files.cpp) asks from its worker:
//   hold(n)     take the browser's lock on the player's files, bring in what other tabs kept since
//               (the database read into /kept, and every kept file over the program's own), answer n
//   release()   let the lock go
//   keep(p, n)  write the one kept file p, and its folders, to the database in one transaction;
//               answer n, and tell the other tabs
// A tab told that a file changed brings it in under the same lock and tells its program, so that
// what it shows is new.
// For the tests, failCommits makes that many database writes abort.
'use strict';
(function () {
    const kLockName = 'stalkway-player-files';
    const channel = typeof BroadcastChannel === 'function' ? new BroadcastChannel('stalkway-player-files') : null;
    const kept = (self.stalkwayKept = { failCommits: 0, broughtIn: 0 });
    // The program's files take what /kept holds; page.js calls it once before the program starts.
    kept.copyOver = (folder) => copyOver(folder);
    let letGo = null;

    function answer(number, ok) {
        return Module._web_kept_files_answered(number, ok ? 1 : 0) === 1;
    }

    // The program's file takes its new contents in one step: a reader sees the old or the new.
    function replaceProgramFile(target, bytes) {
        try {
            if (FS.readFile(target).join() === bytes.join()) return;
        } catch (e) { /* not there yet */ }
        const folder = target.substring(0, target.lastIndexOf('/'));
        if (folder) FS.mkdirTree(folder);
        const temporary = target + '.kept-in';
        FS.writeFile(temporary, bytes);
        FS.rename(temporary, target);
        // The program keeps what it read of its files in its memory; before it is told it may read
        // again (an answer, WM_PLAYER_FILES_STORED), it forgets that.
        Module._web_files_replaced();
        ++kept.broughtIn;
    }

    function copyOver(folder) {
        for (const name of FS.readdir(folder)) {
            if (name === '.' || name === '..') continue;
            const path = folder + '/' + name;
            if (FS.isDir(FS.stat(path).mode)) copyOver(path);
            else replaceProgramFile(path.substring('/kept'.length), FS.readFile(path));
        }
    }

    // The database is the truth: /kept takes what it holds (and loses what it does not), then the
    // program's files take what /kept holds.
    function bringIn(done) {
        if (!Module.keptFilesMounted) return done(true);
        FS.syncfs(true, (error) => {
            if (error) return done(false);
            try {
                copyOver('/kept');
                done(true);
            } catch (e) {
                done(false);
            }
        });
    }

    // Without the browser's lock (an old browser), each tab still brings in before it reads.
    function withLock(body) {
        if (!navigator.locks) return body().then(() => {});
        return navigator.locks.request(kLockName, { mode: 'exclusive' }, body);
    }

    kept.hold = (number) => {
        withLock(() => new Promise((resolve) => {
            bringIn((ok) => {
                if (!answer(number, ok) || !ok) return resolve();
                letGo = resolve;
            });
        }));
    };

    kept.release = () => {
        const resolve = letGo;
        letGo = null;
        if (resolve) resolve();
    };

    function entryOf(path) {
        const stat = FS.stat(path);
        if (FS.isDir(stat.mode)) return { timestamp: stat.mtime, mode: stat.mode };
        return { timestamp: stat.mtime, mode: stat.mode, contents: FS.readFile(path) };
    }

    kept.keep = (path, number) => {
        const IDBFS = FS.filesystems.IDBFS;
        IDBFS.getDB('/kept', (error, db) => {
            if (error) return answer(number, false);
            let transaction;
            try {
                transaction = db.transaction([IDBFS.DB_STORE_NAME], 'readwrite');
                const store = transaction.objectStore(IDBFS.DB_STORE_NAME);
                for (let at = path.indexOf('/', '/kept/'.length); at > 0; at = path.indexOf('/', at + 1))
                    store.put(entryOf(path.substring(0, at)), path.substring(0, at));
                store.put(entryOf(path), path);
            } catch (e) {
                if (transaction) transaction.abort();
                return answer(number, false);
            }
            transaction.oncomplete = () => {
                answer(number, true);
                if (channel) channel.postMessage(path);
            };
            transaction.onabort = () => answer(number, false);
            if (kept.failCommits > 0) {
                --kept.failCommits;
                transaction.abort();
            }
        });
    };

    // What another tab stored comes in under the lock, and the program reads its files again (the
    // launcher its players and hall of fame), so that it shows the other tab's score without a reload.
    if (channel) {
        channel.onmessage = () => {
            if (!Module.keptFilesMounted) return;
            withLock(() => new Promise((resolve) => bringIn((ok) => {
                if (ok) Module._web_files_stored();
                resolve();
            })));
        };
    }
})();
