// The browser build's tests, in headless Chromium:
//   same pixels  the runner mode of the page (?script=NAME) plays the perfect and the imperfect
//                game; every screenshot has the pixels of stalkway-replay's, and the log is the same
//   real input   the game at 1280x960 played with real mouse clicks and touch taps at the scaled
//                positions shows the maze, the zoom and the score that the same clicks give
//                natively; Web Audio starts at the first gesture and its worklet plays more than
//                silence; after a reload the hall of fame is still there
//   keys         N, the arrows, Backspace and H in the page give the native pictures for those keys
//   static host  served by a plain static server (no headers), the page isolates itself through its
//                service worker and plays; a held key repeats; Escape asks before the game ends;
//                with the server gone and the browser offline, a reload loads and plays from the
//                cache; a browser that bypasses the worker gets the page's message after one reload
//   new build    a changed file and worker version on the same host: once the new worker has taken
//                over, the old cache is gone and a reload, online or offline, gives the new files
//   mazes        ?maze=N makes maze N's files in the page with the native digest, for 20 numbers
//   F12          the picture is offered as a download, as the page's memory is out of the player's reach
//   two tabs     two tabs of one browser finish games one right after the other, ten rounds: the
//                browser's storage keeps both scores every time; a save whose database write fails
//                is told to the player, and the next save stores its score once
//   launcher     the page opens on the launcher: Escape in the name field drops what was typed and
//                asks nothing, then asks once the field is left; a name typed, music off, Play; the
//                game has the name in its caption and plays silent; Menu and Exit come back; nothing
//                is fetched again
//   two tabs     a launcher shows the score a game in another tab has just stored, without a reload
//   phone        at 390x844 and 844x390 the page does not scroll, the picture is whole and a tap acts;
//                a tap on the name field focuses the page's input (the phone's keyboard), text put
//                there becomes the name, and Return or a tap elsewhere lets go of the input
//   world        served by stalkway-server, the perfect game played with clicks lands in the server's
//                table with the game's own score; one finished while the server is down arrives from
//                the next tab, and the launcher shows the table; from a static host nothing is queued
//
// ?game goes straight to the game, where the tests of the game itself start.
//
//   [STALKWAY_WEB_TESTS=REGEX] node web_test.mjs SITE_DIR NATIVE_BUILD_DIR [REGEX]
//                (either REGEX: only the tests whose names match)
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { decodePng } from './png.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const [site, nativeBuild] = process.argv.slice(2, 4).map((p) => path.resolve(p));
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'stalkway-web-'));
const scriptsDir = path.join(nativeBuild, 'game', 'scripts');
const failures = [];

function check(condition, what) {
    if (!condition) throw new Error(what);
}

// STALKWAY_WEB_TESTS=REGEX, or a third argument, runs only the tests whose names match.
const onlyPattern = process.argv[4] || process.env.STALKWAY_WEB_TESTS;
const only = onlyPattern ? new RegExp(onlyPattern) : null;

async function test(name, body) {
    if (only && !only.test(name)) return;
    const started = Date.now();
    try {
        await body();
        console.log(`ok    ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
    } catch (error) {
        failures.push(name);
        console.log(`FAIL  ${name}: ${error.message}`);
    }
}

// The server prints its address first; port 0 lets it pick a free one.
function serve(extra) {
    const server = spawn('python3', [path.join(here, '../../tools/web_server.py'), '--port', '0', ...extra, site]);
    const address = new Promise((resolve, reject) => {
        server.stdout.once('data', (line) => resolve(line.toString().trim()));
        server.once('exit', (code) => reject(new Error('the server ended with ' + code)));
    });
    return { server, address };
}

// A plain static server that sends no headers of its own, on a free loopback port.
function serveStatic(folder = site) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder]);
    const address = new Promise((resolve, reject) => {
        let text = '';
        server.stdout.on('data', (chunk) => {
            const m = /port (\d+)/.exec((text += chunk.toString()));
            if (m) resolve(`http://127.0.0.1:${m[1]}/`);
        });
        server.once('exit', (code) => reject(new Error('the static server ended with ' + code)));
    });
    return { server, address };
}

// stalkway-replay over a script, in a fresh copy of the data folder.
function nativeRun(name, scriptFile) {
    const out = path.join(work, 'native-' + name);
    const data = path.join(work, 'data-' + name);
    fs.cpSync(path.join(nativeBuild, 'game', 'Stalkway'), data, { recursive: true });
    fs.mkdirSync(out, { recursive: true });
    const run = spawnSync(path.join(nativeBuild, 'bin', 'stalkway-replay'),
        ['--shots', out, '--log', path.join(out, 'run.log'), scriptFile], { cwd: data });
    check(run.status === 0, `native ${name} ended with ${run.status}: ${run.stderr}`);
    return out;
}

async function runInPage(browser, address, script, extra = '') {
    const page = await browser.newPage();
    await page.goto(`${address}?script=${script}${extra}`);
    await page.waitForFunction('window.stalkwayPage && window.stalkwayPage.exitCode !== null',
        { timeout: 600000, polling: 500 });
    return page;
}

async function pageFile(page, file) {
    return Buffer.from(await page.evaluate((f) => window.stalkwayPage.readBase64(f), file), 'base64');
}

async function samePixels(browser, address, script) {
    const native = nativeRun(script, path.join(scriptsDir, script + '.script'));
    const page = await runInPage(browser, address, script);
    check(await page.evaluate('window.stalkwayPage.exitCode') === 0, 'the runner in the page did not end with 0');
    const shots = fs.readdirSync(native).filter((f) => f.endsWith('.png')).sort();
    const webShots = (await page.evaluate(() => window.stalkwayPage.list('/shots'))).filter((f) => f.endsWith('.png'));
    check(shots.length > 0, 'the native run took no screenshots');
    check(JSON.stringify(webShots.sort()) === JSON.stringify(shots), `shots differ: ${webShots} against ${shots}`);
    for (const shot of shots) {
        const a = decodePng(fs.readFileSync(path.join(native, shot)));
        const b = decodePng(await pageFile(page, '/shots/' + shot));
        check(a.width === b.width && a.height === b.height && a.pixels.equals(b.pixels), `${shot}: the pixels differ`);
    }
    const log = fs.readFileSync(path.join(native, 'run.log'));
    check(log.equals(await pageFile(page, '/shots/run.log')), 'the logs differ');
    await page.close();
}

// The first clicks of the perfect game: New game and the first moves.
function firstClicks(count) {
    const lines = fs.readFileSync(path.join(scriptsDir, 'perfect.script'), 'utf8').split('\n');
    return lines.filter((l) => l.startsWith('click ')).slice(0, count).map((l) => l.split(' ').slice(1).map(Number));
}

// The parts of the screen that follow the game's state: maze, zoom window, scores. The maze's
// last three rows are left out: the characters that walk by in real time cross them.
const kStateAreas = [[116, 61, 420, 417], [544, 69, 232, 232], [686, 12, 100, 25], [12, 12, 100, 25]];

function areasDiffer(a, b, width) {
    const differ = [];
    for (const [x0, y0, w, h] of kStateAreas) {
        let count = 0;
        for (let y = y0; y < y0 + h; ++y)
            for (let x = x0; x < x0 + w; ++x)
                for (let c = 0; c < 3; ++c) if (a[(y * width + x) * 3 + c] !== b[(y * width + x) * 3 + c]) ++count;
        if (count > 0) differ.push(`(${x0},${y0}) ${count} bytes`);
    }
    return differ;
}

async function canvasRgb(page) {
    const rgba = await page.evaluate(() => {
        const c = document.getElementById('picture');
        return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);
    });
    const rgb = Buffer.alloc((rgba.length / 4) * 3);
    for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) {
        rgb[j] = rgba[i];
        rgb[j + 1] = rgba[i + 1];
        rgb[j + 2] = rgba[i + 2];
    }
    return rgb;
}

// A click at a picture position, on the canvas as the page scaled it; by touch when asked.
async function clickAt(page, x, y, touch = false) {
    const r = await page.evaluate(() => {
        const b = document.getElementById('picture').getBoundingClientRect();
        return [b.left, b.top, b.width, b.height];
    });
    const at = [r[0] + ((x + 0.5) * r[2]) / 800, r[1] + ((y + 0.5) * r[3]) / 600];
    if (touch) await page.touchscreen.tap(...at);
    else await page.mouse.click(...at, { delay: 40 });
    await new Promise((resolve) => setTimeout(resolve, 150));
}

async function realInput(browser, address) {
    const clicks = firstClicks(6);
    const script = path.join(work, 'real-input.script');
    fs.writeFileSync(script, 'frames 50\n' + clicks.map(([x, y]) => `click ${x} ${y}\nframes 15\n`).join('') +
        'frames 30\nshot real-input\n');
    const native = decodePng(fs.readFileSync(path.join(nativeRun('real-input', script), 'real-input.png')));
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 960, hasTouch: true });
    await page.goto(address + '?game');
    await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
    const size = await page.evaluate(() => {
        const b = document.getElementById('picture').getBoundingClientRect();
        return [b.width, b.height];
    });
    check(size[0] >= 800 && size[1] >= 600, `the picture is shown at ${size}, smaller than the page allows`);
    await new Promise((resolve) => setTimeout(resolve, 600));
    check(await page.evaluate('window.stalkwayPage.audio') === null, 'Web Audio started before the player did anything');
    // The last two moves by touch, as on a tablet.
    for (const [i, [x, y]] of clicks.entries()) await clickAt(page, x, y, i >= clicks.length - 2);
    await new Promise((resolve) => setTimeout(resolve, 500));
    const differ = areasDiffer(await canvasRgb(page), native.pixels, native.width);
    check(differ.length === 0, 'the canvas differs from the native run in ' + differ.join(', '));
    await checkSound(page, 'the first click');
    return page;
}

// Started by the player's first gesture, Web Audio runs and its worklet, not the page's thread, has
// played more than silence.
async function checkSound(page, gesture) {
    const state = await page.evaluate('window.stalkwayPage.audio && window.stalkwayPage.audio.state');
    check(state === 'running', `after ${gesture} the page's audio is ${state}, not running`);
    const path = await page.evaluate('window.stalkwayPage.soundPath');
    check(path === 'worklet', `after ${gesture} the sound plays through ${path}, not the worklet`);
    const sound = await page.evaluate('[window.stalkwayPage.soundFrames, window.stalkwayPage.loudFrames]');
    check(sound[0] > 0 && sound[1] > 0, `Web Audio played ${sound[0]} frames, ${sound[1]} of them not silent`);
}

// The keys of the controls, pressed as a player presses them, in a browser profile of its own (a
// fresh hall of fame, as the native run's): N starts a game, the arrows move, Backspace takes the
// last move back and H opens the rules; each picture is the native one for the same keys.
async function keysPlay(browser, address) {
    const keys = [['N', 'KeyN'], ['Up', 'ArrowUp'], ['Down', 'ArrowDown'], ['Down', 'ArrowDown'],
        ['Backspace', 'Backspace']];
    const script = path.join(work, 'keys.script');
    fs.writeFileSync(script, 'frames 50\n' + keys.map(([name]) => `key ${name}\nframes 15\n`).join('') +
        'frames 30\nshot keys\nkey H\nframes 30\nshot rules\n');
    const native = nativeRun('keys', script);
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.setViewport({ width: 1280, height: 960 });
        await page.goto(address + '?game');
        await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
        await new Promise((resolve) => setTimeout(resolve, 600));
        const before = await canvasRgb(page);
        for (const [, code] of keys) {
            await page.keyboard.press(code, { delay: 40 });
            await new Promise((resolve) => setTimeout(resolve, 150));
        }
        await new Promise((resolve) => setTimeout(resolve, 500));
        const played = await canvasRgb(page);
        check(areasDiffer(played, before, 800).length > 0, 'the keys changed nothing on the canvas');
        const moved = decodePng(fs.readFileSync(path.join(native, 'keys.png')));
        let differ = areasDiffer(played, moved.pixels, moved.width);
        check(differ.length === 0, 'after the keys the canvas differs from the native run in ' + differ.join(', '));
        await checkSound(page, 'the first key');
        await page.keyboard.press('KeyH', { delay: 40 });
        await new Promise((resolve) => setTimeout(resolve, 500));
        const rules = decodePng(fs.readFileSync(path.join(native, 'rules.png')));
        differ = areasDiffer(await canvasRgb(page), rules.pixels, rules.width);
        check(differ.length === 0, 'after H the canvas differs from the native rules in ' + differ.join(', '));
    } finally {
        await context.close();
    }
}

// F12 hands the picture to the player as a download named as the native file is.
async function screenshotDownloads(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.goto(address + '?game');
        await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
        await page.evaluate(() => {
            window.offered = [];
            HTMLAnchorElement.prototype.click = function () { window.offered.push(this.download); };
        });
        await page.keyboard.press('F12', { delay: 40 });
        await page.waitForFunction('window.offered.length > 0', { timeout: 10000 });
        const offered = await page.evaluate('window.offered');
        check(offered.length === 1 && /^stalkway-\d{8}-\d{6}\.png$/.test(offered[0]), 'offered: ' + offered.join(', '));
    } finally {
        await context.close();
    }
}

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function loadedIsolated(page) {
    await page.waitForFunction('window.stalkwayPage && window.stalkwayPage.firstPicture !== null', { timeout: 120000 });
    check(await page.evaluate('self.crossOriginIsolated') === true, 'the page is not cross-origin isolated');
    await pause(600);
}

const asking = (page) => page.evaluate(() => !!document.getElementById('ask') && !document.getElementById('ask').hidden);

// From a static host: isolated by the worker, N and a held Left (one press and one repeat) give
// the native picture of N, Left, Left (one Left alone gives another); Escape asks and the game plays
// on; offline with the server gone, a reload plays from the cache; Leave ends the program.
async function staticHost(browser) {
    const script = path.join(work, 'held.script');
    fs.writeFileSync(script, 'frames 50\nkey N\nframes 15\nkey Left\nframes 15\nkey Left\nframes 45\nshot held\n');
    const held = decodePng(fs.readFileSync(path.join(nativeRun('held', script), 'held.png')));
    const host = serveStatic();
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.setViewport({ width: 1280, height: 960 });
        await page.goto((await host.address) + '?game');
        await loadedIsolated(page);
        await page.keyboard.press('KeyN', { delay: 40 });
        await pause(150);
        await page.keyboard.down('ArrowLeft');
        await pause(150);
        await page.keyboard.down('ArrowLeft');  // the browser's repeat of the held key
        await pause(150);
        await page.keyboard.up('ArrowLeft');
        await pause(500);
        const played = await canvasRgb(page);
        const differ = areasDiffer(played, held.pixels, held.width);
        check(differ.length === 0, 'after a held Left the canvas differs from two native presses in ' + differ.join(', '));

        await page.keyboard.press('Escape');
        await pause(300);
        check(await asking(page), 'Escape did not ask before leaving');
        await page.keyboard.press('Escape');
        await pause(500);
        check(!(await asking(page)), 'a second Escape did not close the question');
        check(await page.evaluate('window.stalkwayPage.exitCode') === null, 'Escape ended the program');

        host.server.kill();
        await page.setOfflineMode(true);
        // Reloaded as a player reloads: this Chromium's protocol reload goes past the service worker.
        await Promise.all([page.waitForNavigation(), page.evaluate(() => location.reload())]);
        await loadedIsolated(page);
        const before = await canvasRgb(page);
        for (const code of ['KeyN', 'ArrowUp']) {
            await page.keyboard.press(code, { delay: 40 });
            await pause(150);
        }
        await pause(500);
        check(areasDiffer(await canvasRgb(page), before, 800).length > 0, 'offline, N and Up changed nothing on the canvas');

        await page.keyboard.press('Escape');
        await pause(300);
        await page.click('#ask-leave');
        await page.waitForFunction('window.stalkwayPage.exitCode !== null', { timeout: 20000 });
    } finally {
        await context.close();
        host.server.kill();
    }
}

const cachesNow = (page) => page.evaluate(async () => (await caches.keys()).filter((n) => n.startsWith('stalkway-')).sort());

// A new build on the same host, as the build makes one: a kept file changed and so the worker's
// version. The reload that finds it still plays the old build from its cache while the new worker
// keeps the new files; once that worker has taken over, the old cache is gone and the next load,
// online or not, is the new build.
async function newBuildReplacesCache(browser) {
    const folder = path.join(work, 'site-rebuilt');
    fs.cpSync(site, folder, { recursive: true });
    const worker = path.join(folder, 'service-worker.js');
    const before = /const kVersion = '([0-9a-f]+)'/.exec(fs.readFileSync(worker, 'utf8'))[1];
    const host = serveStatic(folder);
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.goto(await host.address);
        await loadedIsolated(page);
        await page.waitForFunction(async () => (await caches.keys()).length > 0, { timeout: 60000 });
        check(JSON.stringify(await cachesNow(page)) === JSON.stringify(['stalkway-' + before]),
            'after the first visit the caches are ' + (await cachesNow(page)).join(', '));

        const after = before.split('').reverse().join('');
        fs.writeFileSync(worker, fs.readFileSync(worker, 'utf8').replace(before, after));
        const index = path.join(folder, 'index.html');
        fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<title>', '<meta name="build" content="new">\n<title>'));
        const isNew = () => page.evaluate(() => document.querySelector('meta[name=build]') !== null);

        await Promise.all([page.waitForNavigation(), page.evaluate(() => location.reload())]);
        await loadedIsolated(page);
        await page.waitForFunction(async (name) => {
            const names = (await caches.keys()).filter((n) => n.startsWith('stalkway-'));
            return names.length === 1 && names[0] === name;
        }, { timeout: 60000, polling: 250 }, 'stalkway-' + after).catch(async () => {
            throw new Error('the new worker left the caches ' + (await cachesNow(page)).join(', '));
        });
        await Promise.all([page.waitForNavigation(), page.evaluate(() => location.reload())]);
        await loadedIsolated(page);
        check(await isNew(), 'after the new worker took over, a reload still shows the old page');

        host.server.kill();
        await page.setOfflineMode(true);
        await Promise.all([page.waitForNavigation(), page.evaluate(() => location.reload())]);
        await loadedIsolated(page);
        check(await isNew(), 'offline, the reload shows the old page');
    } finally {
        await context.close();
        host.server.kill();
    }
}

// A browser that bypasses the worker: one reload, then the page says why it cannot play.
async function isolationRefused(browser) {
    const host = serveStatic();
    const context = await browser.createBrowserContext();
    let loads = 0;
    try {
        const page = await context.newPage();
        await page.setBypassServiceWorker(true);
        page.on('load', () => ++loads);
        await page.goto(await host.address);
        await page.waitForFunction('window.stalkwayPage && window.stalkwayPage.problem', { timeout: 30000 });
        await pause(1500);
        const text = await page.$eval('#problem', (e) => (e.hidden ? '' : e.textContent));
        check(/cross-origin isolated/.test(text) && loads <= 2, `after ${loads} loads the page says: ${text}`);
    } finally {
        await context.close();
        host.server.kill();
    }
}

async function perfectGameKept(page) {
    // The rest of the perfect game, then a reload: the best score is the one the game left.
    const all = firstClicks(100000);
    for (const [x, y] of all.slice(6)) await clickAt(page, x, y);
    await new Promise((resolve) => setTimeout(resolve, 1500));
    const script = path.join(work, 'twice.script');
    const perfect = fs.readFileSync(path.join(scriptsDir, 'perfect.script'), 'utf8');
    fs.writeFileSync(script, perfect + 'frames 50\n');
    const data = path.join(work, 'data-twice');
    fs.cpSync(path.join(nativeBuild, 'game', 'Stalkway'), data, { recursive: true });
    const out = path.join(work, 'native-twice');
    for (const run of [1, 2]) {
        const r = spawnSync(path.join(nativeBuild, 'bin', 'stalkway-replay'), ['--shots', out + run, script], { cwd: data });
        check(r.status === 0, 'native run ' + run + ' failed');
    }
    const second = decodePng(fs.readFileSync(path.join(out + '2', 'perfect-before.png')));
    await page.reload();
    await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
    await new Promise((resolve) => setTimeout(resolve, 600));
    const shown = await canvasRgb(page);
    const best = [12, 12, 100, 25];
    let count = 0;
    for (let y = best[1]; y < best[1] + best[3]; ++y)
        for (let x = best[0]; x < best[0] + best[2]; ++x)
            for (let c = 0; c < 3; ++c) if (shown[(y * 800 + x) * 3 + c] !== second.pixels[(y * 800 + x) * 3 + c]) ++count;
    check(count === 0, `after the reload the best score differs from a second native game's in ${count} bytes`);
}

// The numbers the native tests make twice and play (tests/support/maze_numbers.h).
const kMazeNumbers = [1, 99999999, 20000101, 20240229, 20261208, 20991231, 2, 7, 42, 365, 1000, 4096, 31337, 123456,
    777777, 5000000, 12345678, 31415926, 77777777, 99999998];

// Each maze made in the page while the runner starts on it; its digest against the one
// stalkway-assets --maze writes natively.
async function mazesAsNatively(browser, address) {
    for (const number of kMazeNumbers) {
        const data = path.join(work, 'maze-' + number);
        const made = spawnSync(path.join(nativeBuild, 'bin', 'stalkway-assets'), ['--maze', String(number), '--data', data]);
        check(made.status === 0, `stalkway-assets --maze ${number} ended with ${made.status}: ${made.stderr}`);
        const page = await runInPage(browser, address, 'imperfect', `&maze=${number}`);
        const exitCode = await page.evaluate(() => window.stalkwayPage.exitCode);
        check(exitCode === 0, `maze ${number} in the page ended with ${exitCode}`);
        const digest = await pageFile(page, `/mazes/${number}/maze.digest`);
        await page.close();
        check(digest.equals(fs.readFileSync(path.join(data, 'maze.digest'))), `maze ${number}: the digests differ`);
    }
}

// The scores of the hall of fame the browser keeps, read from its database as a new tab would.
async function keptScores(page) {
    const base64 = await page.evaluate(() => new Promise((resolve, reject) => {
        const open = indexedDB.open('/kept');
        open.onerror = () => reject(new Error('no database'));
        open.onsuccess = () => {
            const db = open.result;
            if (!db.objectStoreNames.contains('FILE_DATA')) return resolve('');
            const get = db.transaction(['FILE_DATA']).objectStore('FILE_DATA').get('/kept/data/hiscore.dat');
            get.onsuccess = () => {
                const bytes = get.result ? get.result.contents : new Uint8Array(0);
                db.close();
                resolve(btoa(String.fromCharCode(...bytes)));
            };
        };
    }));
    const bytes = Buffer.from(base64, 'base64');
    const scores = [];
    for (let at = 4 + 256; at + 4 <= bytes.length; at += 260) if (bytes.readInt32LE(at) > 0) scores.push(bytes.readInt32LE(at));
    return scores.sort((a, b) => b - a);
}

async function openGame(context, address) {
    const page = await context.newPage();
    // Where the whole picture is in view, so that every click reaches it.
    await page.setViewport({ width: 1280, height: 960 });
    // Both tabs keep the focus, as two windows side by side would: a game that loses it runs no
    // frames (as on the desktop), so a click it had not taken yet when the other tab came to the
    // front would wait for this tab's next turn, and its finished game would not be stored until then.
    await page.emulateFocusedPage(true);
    await page.goto(address + '?game');
    await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
    await new Promise((resolve) => setTimeout(resolve, 600));
    // Counts the read-merge-writes the tab's program begins: a finished game begins one.
    await page.evaluate(() => {
        const hold = window.stalkwayKept.hold;
        window.holdsAsked = 0;
        window.stalkwayKept.hold = (number) => {
            ++window.holdsAsked;
            hold(number);
        };
    });
    return page;
}

// A script's clicks, played as fast as the game takes them; a page takes clicks only while it is
// the one in front.
function scriptClicks(name) {
    const lines = fs.readFileSync(path.join(scriptsDir, name + '.script'), 'utf8').split('\n');
    return lines.filter((l) => l.startsWith('click ')).map((l) => l.split(' ').slice(1).map(Number));
}

async function playClicks(page, clicks) {
    await page.bringToFront();
    const r = await page.evaluate(() => {
        const b = document.getElementById('picture').getBoundingClientRect();
        return [b.left, b.top, b.width, b.height];
    });
    for (const [x, y] of clicks) {
        await page.mouse.click(r[0] + ((x + 0.5) * r[2]) / 800, r[1] + ((y + 0.5) * r[3]) / 600, { delay: 15 });
        await new Promise((resolve) => setTimeout(resolve, 25));
    }
}

async function waitForScores(page, count) {
    const until = Date.now() + 15000;
    let scores = await keptScores(page);
    while (scores.length < count && Date.now() < until) {
        await new Promise((resolve) => setTimeout(resolve, 250));
        scores = await keptScores(page);
    }
    return scores;
}

// The rows of a hall of fame (game/score_keeper.cpp).
const kHallOfFameRows = 20;

// Two tabs, each open since before the other's saves, finish the short game one right after the
// other, ten rounds: every save begun is kept beside what the other tab stored meanwhile. The game
// takes a click where the pointer is at its next frame (as it always has), so on a loaded machine a
// click sent too soon after the one before can land beside its button and walk a tab off the route;
// such a game begins no save, and its round is played again (at most ten times), never counted.
async function twoTabsKeepBoth(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        const tabs = [await openGame(context, address), await openGame(context, address)];
        const game = scriptClicks('imperfect');
        let saves = 0;
        let rounds = 0;
        for (let played = 1; rounds < 10; ++played) {
            check(played <= 20, `only ${rounds} of 20 rounds finished in both tabs`);
            // Each game up to its last move, then the last moves: the second as soon as the first
            // tab's game has begun to store its score, so that the two saves meet.
            for (const tab of tabs) await playClicks(tab, game.slice(0, -1));
            let finished = 0;
            for (const tab of tabs) {
                const asked = await tab.evaluate('window.holdsAsked');
                await playClicks(tab, game.slice(-1));
                if (await tab.waitForFunction(`window.holdsAsked > ${asked}`, { timeout: 15000 }).then(() => true, () => false))
                    ++finished;
            }
            if (finished === 2) ++rounds;
            // Every save begun so far, a late one of an earlier round too (its hold came after that
            // round's wait), and again after waiting, for one that begins meanwhile. The hall of fame
            // keeps the best 20: a round played again can fill it before the tenth.
            const begun = async () =>
                (await tabs[0].evaluate('window.holdsAsked')) + (await tabs[1].evaluate('window.holdsAsked'));
            saves = await begun();
            let kept = Math.min(saves, kHallOfFameRows);
            let scores = await waitForScores(tabs[0], kept);
            saves = await begun();
            const late = Math.min(saves, kHallOfFameRows);
            if (late !== kept) scores = await waitForScores(tabs[0], (kept = late));
            check(scores.length === kept && scores.every((s) => s > 0),
                `after ${saves} saves begun in ${played} rounds the kept table holds ${scores.join(', ')}`);
        }
    } finally {
        await context.close();
    }
}

// The launcher's places (launcher/launcher_layout.h) and the game's Menu and Exit.
const kLauncher = { name: [200, 383], music: [75, 563], play: [585, 563], fame: [424, 116, 352, 360] };
const kGameMenu = [68, 342];
const kGameExit = [68, 394];
const kLauncherTitle = 'Stalk Way - Players';

async function titled(page, title) {
    await page.waitForFunction((t) => document.title === t, { timeout: 30000 }, title);
    await pause(600);
}

// Music switched off in the launcher: after the game starts, Web Audio runs and plays silence.
async function silentFor(page, ms) {
    const before = await page.evaluate('[window.stalkwayPage.soundFrames, window.stalkwayPage.loudFrames]');
    await pause(ms);
    const after = await page.evaluate('[window.stalkwayPage.soundFrames, window.stalkwayPage.loudFrames]');
    check(after[0] > before[0], 'Web Audio played nothing in the game');
    check(after[1] === before[1], `with the music off the game played ${after[1] - before[1]} frames of sound`);
}

async function launcherRoundTrip(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.setViewport({ width: 1280, height: 960 });
        const requests = [];
        page.on('request', (r) => requests.push(r.url()));
        await page.goto(address);
        await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
        await titled(page, kLauncherTitle);
        const loaded = requests.length;
        // Escape in a field drops what was typed there, as on the desktop, and asks nothing; once
        // the field is left, Escape asks again.
        await clickAt(page, ...kLauncher.name);
        await page.keyboard.type('Zed', { delay: 40 });
        for (const [editing, what] of [[true, 'in the name field'], [false, 'after the field was left']]) {
            await page.keyboard.press('Escape', { delay: 40 });
            await pause(300);
            check(await asking(page) !== editing, `Escape ${what} ${editing ? 'asked' : 'did not ask'} before leaving`);
        }
        await page.keyboard.press('Escape', { delay: 40 });
        await clickAt(page, ...kLauncher.name);
        await page.keyboard.type('Ada', { delay: 40 });
        await page.keyboard.press('Enter', { delay: 40 });
        await clickAt(page, ...kLauncher.music);
        const launcherPicture = await canvasRgb(page);
        for (const [button, how] of [[kGameMenu, 'Menu'], [kGameExit, 'Exit']]) {
            await clickAt(page, ...kLauncher.play);
            await titled(page, 'Stalk Way - Ada');
            check(areasDiffer(await canvasRgb(page), launcherPicture, 800).length > 0, 'Play left the launcher on the canvas');
            await silentFor(page, 1500);
            await clickAt(page, ...button);
            await titled(page, kLauncherTitle);
            check(await page.evaluate('window.stalkwayPage.exitCode') === null, `${how} ended the program`);
        }
        // The browser asks for the page's icon whenever it likes: that is not the page fetching.
        const again = requests.slice(loaded).filter((url) => !/icon-\d+\.png$/.test(url));
        check(again.length === 0, 'the round trips fetched ' + again.join(', '));
    } finally {
        await context.close();
    }
}

// The hall of fame panel of a launcher, as RGB rows.
async function fameOf(page) {
    const [x0, y0, w, h] = kLauncher.fame;
    const rgb = await canvasRgb(page);
    const rows = [];
    for (let y = y0; y < y0 + h; ++y) rows.push(rgb.subarray((y * 800 + x0) * 3, (y * 800 + x0 + w) * 3));
    return Buffer.concat(rows);
}

// One tab's launcher, another tab's perfect game: the launcher's table becomes the one a launcher
// loaded afterwards shows. The page tells other tabs of a stored file (kept.js); until it does,
// the test says so on the channel itself, so that this tab's listening is tested either way.
async function twoTabs(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        const launcher = await context.newPage();
        await launcher.setViewport({ width: 1280, height: 960 });
        await launcher.goto(address);
        await launcher.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
        await titled(launcher, kLauncherTitle);
        const before = await fameOf(launcher);
        const game = await context.newPage();
        await game.setViewport({ width: 1280, height: 960 });
        await game.goto(address + '?game');
        await game.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
        await pause(600);
        for (const [x, y] of firstClicks(100000)) await clickAt(game, x, y);
        await pause(1500);
        // A tab in the background draws nothing until the player looks at it.
        await launcher.bringToFront();
        await pause(1500);
        const after = await fameOf(launcher);
        check(!after.equals(before), 'the launcher\'s hall of fame did not change');
        const fresh = await context.newPage();
        await fresh.setViewport({ width: 1280, height: 960 });
        await fresh.goto(address);
        await fresh.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
        await titled(fresh, kLauncherTitle);
        check(after.equals(await fameOf(fresh)), 'the launcher\'s hall of fame differs from a fresh launcher\'s');
    } finally {
        await context.close();
    }
}

// A phone upright and turned: the page does not scroll, the whole picture is in view at its
// shape, and a tap on the launcher's scaled Music switches it (its state beside it changes).
async function phoneLayouts(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        for (const [width, height] of [[390, 844], [844, 390]]) {
            const page = await context.newPage();
            await page.setViewport({ width, height, isMobile: true, hasTouch: true });
            await page.goto(address);
            await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
            await titled(page, kLauncherTitle);
            await page.screenshot({ path: path.join(work, `phone-${width}x${height}.png`) });
            const fit = await page.evaluate(() => {
                const b = document.getElementById('picture').getBoundingClientRect();
                const s = document.scrollingElement;
                return { b: [b.left, b.top, b.right, b.bottom], scrolls: s.scrollHeight > innerHeight || s.scrollWidth > innerWidth };
            });
            const [l, t, r, b] = fit.b;
            check(!fit.scrolls, `at ${width}x${height} the page scrolls`);
            check(l >= 0 && t >= 0 && r <= width && b <= height, `at ${width}x${height} the picture lies at ${fit.b}`);
            check(Math.abs((r - l) * 3 - (b - t) * 4) <= 4 && r - l >= Math.min(width, (height * 4) / 3) * 0.6,
                `at ${width}x${height} the picture is ${r - l}x${b - t}`);
            const before = await canvasRgb(page);
            await clickAt(page, ...kLauncher.music, true);
            await pause(600);
            const after = await canvasRgb(page);
            let changed = 0;
            for (let y = 540; y < 586; ++y)
                for (let x = 130; x < 190; ++x) if (before[(y * 800 + x) * 3] !== after[(y * 800 + x) * 3]) ++changed;
            check(changed > 0, `at ${width}x${height} a tap on Music did not switch it`);
            await page.close();
        }
    } finally {
        await context.close();
    }
}

// A phone's keyboard for the launcher's name: a tap on the field focuses the page's input, which
// brings it up; text the keyboard puts in the input (no keys) becomes the name; Return lets go of
// the input, and so does a tap elsewhere; Play names the game after what was typed, and the game
// has no such places.
async function phoneKeyboard(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        const page = await context.newPage();
        await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
        await page.goto(address);
        await page.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000 });
        await titled(page, kLauncherTitle);
        const cdp = await page.createCDPSession();
        const typingFocused = () => page.evaluate(() => document.activeElement === document.getElementById('typing'));
        for (const [leave, how] of [[() => page.keyboard.press('Enter'), 'Return'],
            [() => clickAt(page, 300, 60, true), 'a tap elsewhere']]) {
            await clickAt(page, ...kLauncher.name, true);
            check(await typingFocused(), 'a tap on the name field did not focus the page\'s input');
            await page.keyboard.sendCharacter('Bo');
            // A word composed as a phone's keyboard does: "b", corrected to "bx" and back, then kept.
            for (const text of ['b', 'bx', 'b']) await cdp.send('Input.imeSetComposition', { text, selectionStart: 1, selectionEnd: 1 });
            await cdp.send('Input.insertText', { text: 'b' });
            await pause(150);
            await leave();
            await pause(300);
            check(!(await typingFocused()), `${how} left the page's input focused`);
        }
        await clickAt(page, ...kLauncher.play, true);
        await titled(page, 'Stalk Way - BobBob');
        // The launcher's places went with its window: the game takes no typing.
        await clickAt(page, ...kLauncher.name, true);
        check(!(await typingFocused()), 'in the game a tap where the launcher\'s name field was focused the input');
    } finally {
        await context.close();
    }
}

// The database write of a save fails: the stored table stays as it was, and the next save stores
// the waiting score once, beside the new one.
async function failedCommitNoDuplicate(browser, address) {
    const context = await browser.createBrowserContext();
    try {
        const page = await openGame(context, address);
        await page.evaluate(() => { window.stalkwayKept.failCommits = 1; });
        await playClicks(page, scriptClicks('imperfect'));
        await page.waitForFunction('window.stalkwayKept.failCommits === 0', { timeout: 15000 });
        await new Promise((resolve) => setTimeout(resolve, 1000));
        check((await keptScores(page)).length === 0, 'a failed save left a table in the database');
        await playClicks(page, scriptClicks('perfect'));
        const scores = await waitForScores(page, 2);
        await new Promise((resolve) => setTimeout(resolve, 1000));
        const again = await keptScores(page);
        check(again.length === 2 && again[0] !== again[1] && scores.length === 2, `kept after the next save: ${again.join(', ')}`);
    } finally {
        await context.close();
    }
}

// stalkway-server with the site, on a loopback port (0: a free one) and a database in `folder`; it
// prints its address first.
function serveWorld(folder, port = 0) {
    const server = spawn(path.join(nativeBuild, 'bin', 'stalkway-server'), ['--listen', '127.0.0.1:' + port,
        '--database', 'sqlite:' + path.join(folder, 'scores.db'), '--maze-cache', path.join(folder, 'mazes'),
        '--data', path.join(nativeBuild, 'game', 'Stalkway'), '--site', site]);
    const address = new Promise((resolve, reject) => {
        server.stdout.once('data', (line) => resolve(/^(\S+)/.exec(line.toString())[1]));
        server.once('exit', (code) => reject(new Error('stalkway-server ended with ' + code)));
    });
    return { server, address };
}

async function worldRuns(address, count) {
    let runs = [];
    for (const until = Date.now() + 20000; runs.length < count && Date.now() < until; await pause(250)) {
        const response = await fetch(new URL('api/v1/mazes/classic/top', address));
        check(response.ok, 'the table answered ' + response.status);
        runs = (await response.json()).runs;
    }
    return runs;
}

// The launcher in the page shows the server's table as the native launcher does with --server.
async function launcherShowsWorld(context, address) {
    const data = path.join(work, 'launcher-world');
    for (const folder of ['Stalkway', 'portico'])
        fs.cpSync(path.join(nativeBuild, 'game', folder), path.join(data, folder), { recursive: true });
    const script = path.join(work, 'world.script');
    fs.writeFileSync(script, 'frames 5\nclick 600 300\nframes 3\nshot world\n');
    const out = path.join(work, 'native-world');
    const run = spawnSync(path.join(nativeBuild, 'bin', 'stalkway-replay'),
        ['--program', 'portico', '--server', address, '--shots', out, script], { cwd: data });
    check(run.status === 0, `the native launcher ended with ${run.status}: ${run.stderr}`);
    const native = decodePng(fs.readFileSync(path.join(out, 'world.png')));
    const page = await context.newPage();
    await page.setViewport({ width: 1280, height: 960 });
    await page.goto(address);
    await titled(page, kLauncherTitle);
    await clickAt(page, 600, 300);
    await pause(1500);
    // The panel and its last line, which says whose table it is.
    const [x0, y0, w] = kLauncher.fame;
    const shown = await canvasRgb(page);
    const differ = (y) => !shown.subarray((y * 800 + x0) * 3, (y * 800 + x0 + w) * 3)
        .equals(native.pixels.subarray((y * 800 + x0) * 3, (y * 800 + x0 + w) * 3));
    for (let y = y0; y < 500; ++y) check(!differ(y), `the launcher's world table differs from the native one's at y ${y}`);
    await page.close();
}

const queued = (page) => page.evaluate(() => atob(window.stalkwayPage.readBase64('/data/outbox.txt')));

// Served by stalkway-server, the page finds its server and the perfect game played with clicks
// lands in its table under the player's name, with the score the game kept, and leaves the queue.
// A game finished while the server is down stays queued past the tab's end and arrives from the
// next tab; the launcher shows the table. From the other tests' host there is no server: a finished
// game queues nothing.
async function runsGoHome(browser, staticAddress) {
    const context = await browser.createBrowserContext();
    const folder = fs.mkdtempSync(path.join(work, 'world-'));
    let world = serveWorld(folder);
    try {
        const plain = await openGame(context, staticAddress);
        check(await plain.evaluate('window.stalkwayPage.server') === '', 'a static host was taken for a server');
        await playClicks(plain, scriptClicks('imperfect'));
        check((await waitForScores(plain, 1)).length === 1, 'the game on the static host kept no score');
        check(!(await plain.evaluate(() => window.stalkwayPage.list('/data'))).includes('outbox.txt'),
            'the game on the static host queued its run');
        await plain.close();

        const address = await world.address;
        const page = await openGame(context, address);
        check(await page.evaluate('window.stalkwayPage.server') === address.replace(/\/$/, ''),
            'the page did not take its own server');
        await playClicks(page, scriptClicks('perfect'));
        const kept = await waitForScores(page, 1);
        const runs = await worldRuns(address, 1);
        check(runs.length === 1 && runs[0].player === 'Player1',
            `the game kept ${kept.join(', ')}, the table holds ${JSON.stringify(runs)}`);
        check(kept.includes(runs[0].score), `the server scored ${runs[0].score}, the game kept ${kept.join(', ')}`);
        await page.waitForFunction(() => window.stalkwayPage.readBase64('/data/outbox.txt') === '', { timeout: 10000 });

        const ended = new Promise((resolve) => world.server.once('exit', resolve));
        world.server.kill();
        await ended;
        await playClicks(page, scriptClicks('imperfect'));
        const scores = await waitForScores(page, 2);
        for (const until = Date.now() + 15000; !(await queued(page)) && Date.now() < until;) await pause(250);
        check((await queued(page)).split('\n').length === 2,
            `with the server down the game kept ${scores.join(', ')} and queued ${await queued(page)}`);
        await page.close();
        world = serveWorld(folder, new URL(address).port);
        check(await world.address === address, 'the server came back elsewhere');
        const next = await openGame(context, address);
        check((await worldRuns(address, 2)).length === 2, 'the run queued in the closed tab did not arrive');
        await next.close();
        await launcherShowsWorld(context, address);
    } finally {
        await context.close();
        world.server.kill();
    }
}

async function main() {
    const isolated = serve([]);
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        // The browser's own rule for sound stands: Web Audio may start only from a gesture.
        args: ['--no-sandbox'],
    });
    try {
        const address = await isolated.address;
        await test('a page that cannot be isolated reloads once and says why', () => isolationRefused(browser));
        await test('from a static host the page plays, repeats held keys, asks on Escape and plays offline',
            () => staticHost(browser));
        await test('a new build replaces the cached files and the old cache', () => newBuildReplacesCache(browser));
        await test('the perfect game in the page has the native pixels and log', () => samePixels(browser, address, 'perfect'));
        await test('the imperfect game in the page has the native pixels and log', () => samePixels(browser, address, 'imperfect'));
        let page = null;
        await test('real clicks and taps at 1280x960 move the block as natively', async () => { page = await realInput(browser, address); });
        await test('a reload keeps the hall of fame', async () => {
            check(page !== null, 'the real-input test did not leave a page');
            await perfectGameKept(page);
        });
        await test('the keys move, take back and show the rules as natively, with sound', () => keysPlay(browser, address));
        await test('twenty numbered mazes made in the page have the native digests', () => mazesAsNatively(browser, address));
        await test('F12 offers the picture as a download', () => screenshotDownloads(browser, address));
        await test('two tabs finishing games together keep both scores, ten rounds', () => twoTabsKeepBoth(browser, address));
        await test('a save whose database write failed is stored once by the next', () => failedCommitNoDuplicate(browser, address));
        await test('the launcher starts the game with its name and no music; Menu and Exit come back', () =>
            launcherRoundTrip(browser, address));
        await test('a launcher shows the score another tab has just stored', () => twoTabs(browser, address));
        await test('on a phone upright and turned the whole picture shows and taps act', () =>
            phoneLayouts(browser, address));
        await test('the page served by stalkway-server sends it the run; a static host gets none', () =>
            runsGoHome(browser, address));
        await test('on a phone a tap on the name field brings up the keyboard, which types the name', () =>
            phoneKeyboard(browser, address));
    } finally {
        await browser.close();
        isolated.server.kill();
        fs.rmSync(work, { recursive: true, force: true });
    }
    console.log(failures.length === 0 ? 'All web tests passed.' : `${failures.length} web test(s) failed.`);
    process.exit(failures.length === 0 ? 0 : 1);
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
