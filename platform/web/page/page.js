// The page around the game: loads the data with a progress bar, then the program, which runs on a
// worker; draws its frames, passes the pointer, touch and keys to it, and plays its sound. With
// ?script=NAME it runs the scripted runner over scripts/NAME.script instead (virtual time, no
// window) and keeps what it wrote for the tests; &stats prints the runner's statistics instead.
// The page opens on the launcher, which starts the game in the same program and comes back when
// the game's Menu or Exit is chosen; ?game goes straight to the game, as ?maze=N (or ?maze=today)
// does with that numbered maze, its files made in the page as natively. Served by stalkway-server,
// the game sends its runs to it, and the launcher shows its world tables.
'use strict';
(function () {
    const params = new URLSearchParams(location.search);
    const script = params.get('script');
    const program = script === null ? 'stalkway' : 'stalkway-replay';
    const stage = document.getElementById('stage');
    const canvas = document.getElementById('picture');
    const context = canvas.getContext('2d');
    const page = (window.stalkwayPage = {
        stdout: [], messages: [], firstPicture: null, titledPicture: null, exitCode: null, audio: null, soundFrames: 0,
        loudFrames: 0, server: null, soundPath: null,
    });

    function show(id, on) { document.getElementById(id).hidden = !on; }

    // Shared memory between threads is offered only to pages served cross-origin isolated, and
    // only by browsers with WebAssembly threads.
    function threadsAvailable() {
        if (self.crossOriginIsolated !== true || typeof SharedArrayBuffer !== 'function') return false;
        try {
            return new WebAssembly.Memory({ initial: 1, maximum: 1, shared: true }).buffer instanceof SharedArrayBuffer;
        } catch (e) {
            return false;
        }
    }

    function showProblem(title, text) {
        const problem = document.getElementById('problem');
        problem.innerHTML = '';
        const h = document.createElement('h2');
        h.textContent = title;
        const p = document.createElement('p');
        p.textContent = text;
        problem.append(h, p);
        show('problem', true);
        show('loading', false);
        page.problem = title;
    }

    // "Downloading data... (loaded/total)" from the data package; the runtime's other states say
    // nothing the bar could show.
    function setStatus(text) {
        const m = /^Downloading data\.\.\. \((\d+)\/(\d+)\)/.exec(text || '');
        if (m) {
            const fraction = Number(m[1]) / Number(m[2]);
            document.getElementById('progress').style.width = (100 * fraction).toFixed(1) + '%';
            document.getElementById('status').textContent = 'Loading the game… ' + Math.round(100 * fraction) + '%';
        }
    }

    function place() {
        if (!Module._web_place) return;
        const at = Module._web_place(stage.clientWidth, stage.clientHeight) >> 2;
        const [x, y, w, h] = Module.HEAP32.subarray(at, at + 4);
        Object.assign(canvas.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
    }

    let image = null;
    function draw() {
        const frame = Module._web_take_frame();
        if (frame) {
            const w = Module._web_frame_width();
            const h = Module._web_frame_height();
            if (canvas.width !== w || canvas.height !== h) {
                canvas.width = w;
                canvas.height = h;
                place();
            }
            if (!image || image.width !== w || image.height !== h) image = context.createImageData(w, h);
            image.data.set(Module.HEAPU8.subarray(frame, frame + w * h * 4));
            context.putImageData(image, 0, 0);
            if (page.firstPicture === null) page.firstPicture = performance.now();
            if (page.titledPicture === null) page.titledPicture = performance.now();
        }
        window.stalkwayTyping.follow(canvas);
        if (page.exitCode === null) requestAnimationFrame(draw);
    }

    // What the player hears, for the tests: frames played, and those that are not silence.
    function counted(frames, loud) {
        page.soundFrames += frames;
        page.loudFrames += loud;
    }

    // The worklet empties the program's sound ring itself, on the browser's audio thread.
    function playFromWorklet() {
        const at = Module._web_sound_ring() >> 2;
        const [items, head, tail, capacity] = Module.HEAP32.subarray(at, at + 4);
        const node = new AudioWorkletNode(sound, 'ring-player', {
            numberOfInputs: 0, numberOfOutputs: 1, outputChannelCount: [2],
            processorOptions: { memory: Module.HEAPU8.buffer, items, head, tail, capacity },
        });
        node.port.onmessage = (event) => counted(event.data.frames, event.data.loud);
        node.connect(sound.destination);
        page.soundPath = 'worklet';
        Module._web_sound_heard();
    }

    // A browser without worklets: the page's own thread takes the frames, as long as it is free to.
    function playOnPage() {
        const node = sound.createScriptProcessor(1024, 0, 2);
        node.onaudioprocess = (event) => {
            const left = event.outputBuffer.getChannelData(0);
            const right = event.outputBuffer.getChannelData(1);
            const frames = Module._web_sound_pull(left.length);
            const at = Module._web_sound_buffer() >> 1;
            const samples = Module.HEAP16.subarray(at, at + 2 * frames);
            let loud = 0;
            for (let i = 0; i < left.length; ++i) {
                left[i] = i < frames ? samples[2 * i] / 32768 : 0;
                right[i] = i < frames ? samples[2 * i + 1] / 32768 : 0;
                if (left[i] !== 0 || right[i] !== 0) ++loud;
            }
            counted(frames, loud);
        };
        node.connect(sound.destination);
        page.soundPath = 'page';
        Module._web_sound_heard();
    }

    // Web Audio may start only after the player has done something.
    let sound = null;
    function startSound() {
        if (sound) return;
        const AudioContextClass = window.AudioContext || window.webkitAudioContext;
        if (!AudioContextClass) return;
        sound = page.audio = new AudioContextClass({ sampleRate: Module._web_sound_rate() });
        sound.resume();
        if (!sound.audioWorklet || typeof AudioWorkletNode !== 'function') return playOnPage();
        sound.audioWorklet.addModule('sound-worklet.js').then(playFromWorklet, (error) => {
            console.warn('The sound worklet did not load, the page plays the sound itself: ' + error);
            playOnPage();
        });
    }

    function areaPoint(event) {
        const r = stage.getBoundingClientRect();
        return [Math.round(event.clientX - r.left), Math.round(event.clientY - r.top)];
    }

    function listen() {
        const button = (event) => (event.button === 0 ? 1 : event.button === 2 ? 2 : 0);
        stage.addEventListener('mousemove', (e) => Module._web_pointer(...areaPoint(e), 0, 0));
        stage.addEventListener('mousedown', (e) => {
            startSound();
            stage.focus();
            if (button(e)) Module._web_pointer(...areaPoint(e), button(e), 1);
        });
        // A button let go outside the stage still ends the press.
        window.addEventListener('mouseup', (e) => {
            if (button(e)) Module._web_pointer(...areaPoint(e), button(e), 0);
        });
        stage.addEventListener('contextmenu', (e) => e.preventDefault());
        const touch = (down) => (e) => {
            e.preventDefault();
            startSound();
            const t = e.changedTouches[0];
            Module._web_pointer(...areaPoint(t), 0, 0);
            if (down !== null) Module._web_pointer(...areaPoint(t), 1, down);
            // The phone's keyboard comes up only for a focus given during the tap itself.
            if (e.type === 'touchend') window.stalkwayTyping.tapped(...areaPoint(t));
        };
        stage.addEventListener('touchstart', touch(1), { passive: false });
        stage.addEventListener('touchmove', touch(null), { passive: false });
        stage.addEventListener('touchend', touch(0), { passive: false });
        stage.addEventListener('touchcancel', touch(0), { passive: false });
        const leave = () => {
            Module._web_key(27, 0, 1);
            Module._web_key(27, 0, 0);
        };
        const key = (down) => (e) => {
            startSound();
            if (down && e.keyCode === 13 && e.altKey) {
                e.preventDefault();
                if (document.fullscreenElement) document.exitFullscreen();
                else stage.requestFullscreen();
                return;
            }
            if (window.stalkwayKeys.pageTakes(e, down, leave, window.stalkwayTyping.editing())) {
                e.preventDefault();
                return;
            }
            // A held key's repeats reach the program as the desktop's system sends them.
            if (Module._web_key(e.keyCode, e.location, down ? (e.repeat ? 2 : 1) : 0)) e.preventDefault();
            // The character the key typed, for the launcher's fields; a phone's keyboard composing
            // (229) types into the page's input instead, which passes the text on (typing.js).
            const composed = e.keyCode === 229 || e.isComposing;
            if (down && !composed && [...e.key].length === 1 && !e.ctrlKey && !e.metaKey) {
                Module._web_char(e.key.codePointAt(0));
                e.preventDefault();
            }
        };
        window.addEventListener('keydown', key(true));
        window.addEventListener('keyup', key(false));
        window.addEventListener('blur', () => Module._web_focus(0));
        window.addEventListener('focus', () => Module._web_focus(1));
        window.addEventListener('resize', place);
        document.addEventListener('fullscreenchange', place);
    }

    function mountKept() {
        FS.mkdir('/kept');
        FS.mount(FS.filesystems.IDBFS, {}, '/kept');
        Module.addRunDependency('kept');
        FS.syncfs(true, (error) => {
            // Without the browser's storage the game still plays; its saves then fail as refused.
            Module.keptFilesMounted = !error;
            Module.removeRunDependency('kept');
        });
    }

    function showMessage(text, caption) {
        page.messages.push(caption + '|' + text);
        document.getElementById('message-caption').textContent = caption;
        document.getElementById('message-text').textContent = text;
        show('message', true);
    }
    document.getElementById('message-ok').addEventListener('click', () => show('message', false));

    // The program asks to open its about page or a web address: a page can open those, no programs.
    function openPage(verb, file) {
        if (/^https?:\/\//i.test(file)) return window.open(file, '_blank') !== null;
        if (!/\.html?$/i.test(file)) return false;
        try {
            const blob = new Blob([FS.readFile(file)], { type: 'text/html' });
            return window.open(URL.createObjectURL(blob), '_blank') !== null;
        } catch (e) {
            return false;
        }
    }

    // For the tests: a file the runner wrote, as base64.
    page.readBase64 = (path) => {
        const bytes = FS.readFile(path);
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
        return btoa(text);
    };
    page.list = (folder) => FS.readdir(folder).filter((name) => name !== '.' && name !== '..');

    function loadScript(src) {
        return new Promise((resolve, reject) => {
            const element = document.createElement('script');
            element.src = src;
            element.onload = resolve;
            element.onerror = () => reject(new Error('cannot load ' + src));
            document.body.appendChild(element);
        });
    }

    // &stats runs the runner as bench.sh runs it natively, statistics and each frame's times (written
    // once, at the end) and the script without its screenshots: screenshots and the log are files,
    // and every file operation of a worker is a round trip to the page's thread here, work the native
    // figure it is compared with does not hold.
    function runnerArguments() {
        if (script === null) return [];
        if (params.has('stats')) return ['--stats', '--frame-times', '/frame-times.txt', '/run.script'];
        return ['--shots', '/shots', '--log', '/shots/run.log', '/run.script'];
    }

    // The maze asked for goes to the game and the runner alike. The page's program starts with the
    // one it names first: the launcher, given the game's data folder (it looks for it beside
    // itself otherwise), or the game.
    function programArguments() {
        const maze = params.get('maze');
        const mazeArguments = maze === null ? [] : ['--maze', maze];
        if (script !== null) return mazeArguments.concat(runnerArguments());
        if (maze === null && !params.has('game')) return ['portico', '--data', '/data'];
        return ['stalkway'].concat(mazeArguments);
    }

    // The game sends its runs to the server the page came from, when that is a world hall of fame:
    // stalkway-server answers its health in its own form (a 503 too, while its database is away),
    // where a static host has no such page. Asked while the data loads; the program starts once
    // the answer, or the time limit, is in, with the server on its command line.
    const kHomeServerWaitMs = 3000;
    function askHomeServer() {
        const limit = new AbortController();
        const timer = setTimeout(() => limit.abort(), kHomeServerWaitMs);
        const home = new URL('.', location.href).href.replace(/\/+$/, '');
        return fetch('api/v1/health', { cache: 'no-store', signal: limit.signal })
            .then((response) => response.json())
            .then((health) => (health && ['ok', 'unavailable'].includes(health.status) &&
                typeof health.database === 'string' ? home : ''))
            .catch(() => '')
            .finally(() => clearTimeout(timer));
    }

    function awaitHomeServer(asked) {
        Module.addRunDependency('home-server');
        asked.then((server) => {
            page.server = server;
            // The program has not started yet: its command line is still this array.
            if (server !== '') Module.arguments.unshift('--home-server', server);
            Module.removeRunDependency('home-server');
        });
    }

    // The program and its WebAssembly are fetched while the page asks its questions and the data
    // comes in (the page asks for the data from its head), not after.
    function preloadProgram() {
        for (const [file, kind] of [[program + '.js', 'script'], [program + '.wasm', 'fetch']]) {
            const link = Object.assign(document.createElement('link'), { rel: 'preload', href: file, as: kind });
            link.crossOrigin = kind === 'fetch' ? 'anonymous' : null;
            document.head.appendChild(link);
        }
    }

    async function start() {
        if (!threadsAvailable()) {
            if (await window.stalkwayIsolate()) return;
            showProblem('This page cannot run the game here',
                'Stalkway runs on several threads that share memory, which browsers allow only to pages served ' +
                'cross-origin isolated (with the Cross-Origin-Opener-Policy and Cross-Origin-Embedder-Policy ' +
                'headers), and only with WebAssembly threads. The page adds those headers itself through its service ' +
                'worker, which this browser did not let it use here: open the page in a current browser, from ' +
                'an https:// address or this computer, or serve it with ./web.sh.');
            return;
        }
        preloadProgram();
        if (script !== null && !/^[A-Za-z0-9_-]+$/.test(script)) {
            showProblem('No such script', 'Scripts are named by letters, digits, - and _ only.');
            return;
        }
        // The runner's scripts send nothing unless they are told where.
        const homeServer = script === null ? askHomeServer() : null;
        let scriptText = null;
        if (script !== null) {
            const response = await fetch('scripts/' + script + '.script');
            if (!response.ok) {
                showProblem('No such script', 'scripts/' + script + '.script could not be loaded.');
                return;
            }
            scriptText = await response.text();
            // Without its screenshots, as bench.sh plays the script natively for the same figures.
            if (params.has('stats')) scriptText = scriptText.split('\n').filter((l) => !l.startsWith('shot ')).join('\n');
        }
        window.Module = {
            arguments: programArguments(),
            print: (line) => page.stdout.push(line),
            printErr: (line) => console.warn(line),
            setStatus,
            // Each program of the page names its window: the first picture after it is that program's.
            setTitle: (title) => {
                document.title = title;
                page.titledPicture = null;
            },
            showMessage,
            openPage,
            keptFilesMounted: false,
            preRun: [() => {
                if (script === null) {
                    mountKept();
                    awaitHomeServer(homeServer);
                } else {
                    FS.mkdir('/shots');
                    FS.writeFile('/run.script', scriptText);
                }
            }],
            onRuntimeInitialized: () => {
                if (script === null && Module.keptFilesMounted) self.stalkwayKept.copyOver('/kept');
                FS.chdir('/data');
                show('loading', false);
                if (script === null) {
                    listen();
                    place();
                    requestAnimationFrame(draw);
                }
            },
            onExit: (code) => {
                page.exitCode = code;
                if (script === null) showMessage('The game has ended. Reload the page to play again.', 'Stalkway');
            },
        };
        try {
            await loadScript('stalkway-data.js');
            await loadScript(program + '.js');
        } catch (e) {
            showProblem('The game could not be loaded', e.message);
        }
    }

    start();
})();
