// The browser build's figures for bench.sh, in headless Chromium:
//   stats ...            the runner's --stats lines for the perfect game played in the page, five
//                        runs (bench.sh takes the median of each figure, as of the native runner's
//                        five: frame_wall_median_us and frame_wall_p99_us)
//   frame_time RUN TICK MICROSECONDS WALL
//                        each frame of those runs, as the runner's --frame-times writes it (bench.sh
//                        takes each frame's fastest of the five, as natively)
//   web_load_ms N        from navigation to the first picture of the game (?game), in a fresh profile
//                        (nothing cached: the data is loaded too), three times (bench.sh takes
//                        the median)
//   web_repeat_load_ms N the same for a second visit, after the first has left the service worker
//                        holding the game's files, three times (bench.sh takes the median)
//   web_launcher_to_game_ms N
//                        from Play let go in the page's launcher to the first picture the game
//                        draws, five round trips (the game's Menu brings the launcher back)
//
//   node bench.mjs SITE_DIR [frames]     (frames: the runner's five runs alone)
import { spawn } from 'node:child_process';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = path.resolve(process.argv[2]);

const kLauncherTitle = 'Stalk Way - Players';
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A click at a picture position, on the canvas as the page placed it.
async function clickAt(page, x, y) {
    const r = await page.evaluate(() => {
        const b = document.getElementById('picture').getBoundingClientRect();
        return [b.left, b.top, b.width, b.height];
    });
    await page.mouse.click(r[0] + ((x + 0.5) * r[2]) / 800, r[1] + ((y + 0.5) * r[3]) / 600, { delay: 40 });
}

async function main() {
    const server = spawn('python3', [path.join(here, '../../tools/web_server.py'), '--port', '0', site]);
    const address = await new Promise((resolve) => server.stdout.once('data', (l) => resolve(l.toString().trim())));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox'],
    });
    try {
        for (let run = 0; run < 5; ++run) {
            const runner = await browser.newPage();
            await runner.goto(`${address}?script=perfect&stats`);
            await runner.waitForFunction('window.stalkwayPage.exitCode !== null', { timeout: 600000, polling: 500 });
            for (const line of await runner.evaluate('window.stalkwayPage.stdout')) if (line.startsWith('stats ')) console.log(line);
            const file = await runner.evaluate("window.stalkwayPage.readBase64('/frame-times.txt')");
            const times = Buffer.from(file, 'base64');
            for (const line of times.toString().trim().split('\n')) console.log(`frame_time ${run} ${line}`);
            await runner.close();
        }
        if (process.argv[3] === 'frames') return;

        for (let run = 0; run < 3; ++run) {
            const fresh = await browser.createBrowserContext();
            const game = await fresh.newPage();
            await game.setViewport({ width: 1280, height: 960 });
            await game.goto(address + '?game');
            await game.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000, polling: 'raf' });
            console.log('web_load_ms ' + (await game.evaluate('window.stalkwayPage.firstPicture')).toFixed(1));
            // The worker controls the page once it has kept every file; the first game stops
            // before the second visit, so that the two do not share the processor.
            await game.waitForFunction('navigator.serviceWorker.controller !== null', { timeout: 60000, polling: 100 });
            await game.close();
            const again = await fresh.newPage();
            await again.setViewport({ width: 1280, height: 960 });
            await again.goto(address + '?game');
            await again.waitForFunction('window.stalkwayPage.firstPicture !== null', { timeout: 60000, polling: 'raf' });
            const fromCache = await again.evaluate('performance.getEntriesByType("navigation")[0].workerStart > 0');
            if (!fromCache) throw new Error('the second visit did not go through the service worker');
            console.log('web_repeat_load_ms ' + (await again.evaluate('window.stalkwayPage.firstPicture')).toFixed(1));
            await fresh.close();
        }

        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.setViewport({ width: 1280, height: 960 });
        await page.goto(address);
        for (let run = 0; run < 5; ++run) {
            await page.waitForFunction((t) => document.title === t && window.stalkwayPage.titledPicture !== null,
                { timeout: 60000, polling: 'raf' }, kLauncherTitle);
            await pause(600);
            await page.evaluate(() => {
                window.playAt = null;
                addEventListener('mouseup', () => { window.playAt = performance.now(); }, { once: true });
            });
            await clickAt(page, 585, 563);
            await page.waitForFunction((t) => document.title !== t && window.stalkwayPage.titledPicture !== null,
                { timeout: 60000, polling: 'raf' }, kLauncherTitle);
            const ms = await page.evaluate(() => window.stalkwayPage.titledPicture - window.playAt);
            console.log('web_launcher_to_game_ms ' + ms.toFixed(1));
            await pause(600);
            await clickAt(page, 68, 342);  // the game's Menu
        }
        await context.close();
    } finally {
        await browser.close();
        server.kill();
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
