// shaderplanes' shader editor. Run puts the edited shaders in the address (#shaders=, the
// two texts as JSON, deflated, in base64url) and loads the page again: a fresh start,
// in which the program's own loader reads them from its files, where they are written
// before main. First the page compiles and links them as the program will hand them to
// WebGL, and lists the errors at the lines the reader wrote. What the address holds is
// anyone's input: it only ever goes into the page as text.
'use strict';
(function () {
    const paths = ['Shaders/simple.vert', 'Shaders/simple.frag'];
    const editors = paths.map(function (path) {
        return document.querySelector('textarea[data-edit="' + path + '"]');
    });
    const shipped = paths.map(function (path) {  // the Source section holds the files
        return document.querySelector('code[data-file="' + path + '"]').textContent;
    });
    const log = document.getElementById('shader-log');
    const prefix = '#shaders=';
    const most_bytes = 256 * 1024;  // of the texts: a short link must not unpack to gigabytes

    function say(text) {
        log.append(text + '\n');
    }

    function base64url(bytes) {
        let binary = '';
        for (let i = 0; i < bytes.length; i += 0x8000)
            binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
    }

    async function encode(texts) {
        const json = new Blob([JSON.stringify(texts)]);
        if (json.size > most_bytes)
            throw new Error('the shaders are over ' + most_bytes / 1024 + ' KiB');
        const packed = json.stream().pipeThrough(new CompressionStream('deflate-raw'));
        return base64url(new Uint8Array(await new Response(packed).arrayBuffer()));
    }

    // Throws unless the code holds two texts.
    async function decode(code) {
        const binary = atob(code.replace(/-/g, '+').replace(/_/g, '/'));
        const packed = Uint8Array.from(binary, function (c) { return c.charCodeAt(0); });
        const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
        const reader = unpacked.getReader();
        const chunks = [];
        for (let size = 0; ;) {
            const {done, value} = await reader.read();
            if (done)
                break;
            size += value.length;
            if (size > most_bytes) {
                reader.cancel();
                throw new Error('over ' + most_bytes + ' bytes');
            }
            chunks.push(value);
        }
        const json = new TextDecoder('utf-8', {fatal: true}).decode(await new Blob(chunks).arrayBuffer());
        const texts = JSON.parse(json);
        const is_text = function (text) { return typeof text === 'string'; };
        if (!Array.isArray(texts) || texts.length !== paths.length || !texts.every(is_text))
            throw new Error('not the two shaders');
        return texts;
    }

    // An entry of a compiler's log, "ERROR: 0:LINE: message", is named by the line of the
    // reader's text: the rewriting for WebGL (web/core_gl.cpp) adds lines, and says where
    // each of its lines comes from.
    function report(Module, path, info) {
        info.split('\n').filter(Boolean).forEach(function (entry) {
            const found = /^(ERROR|WARNING): \d+:(\d+): (.*)$/.exec(entry);
            if (!found)
                return say(path + ': ' + entry);
            const line = Module._web_checked_shader_line(Number(found[2]));
            say(path + ':' + line + ': ' + found[1].toLowerCase() + ': ' + found[3]);
        });
    }

    // In a WebGL 2 context of the page's own, before the program starts.
    function check(Module, texts) {
        const logged = log.childNodes.length;
        const gl = document.createElement('canvas').getContext('webgl2');
        if (!gl) {
            say('There is no WebGL 2 here to check the shaders with.');
            return;
        }
        const program = gl.createProgram();
        let compiled = true;
        paths.forEach(function (path, i) {
            const type = i === 0 ? gl.VERTEX_SHADER : gl.FRAGMENT_SHADER;
            const shader = gl.createShader(type);
            const web_text = Module.ccall('web_shader_for_check', 'string', ['string', 'number'], [texts[i], type]);
            gl.shaderSource(shader, web_text);
            gl.compileShader(shader);
            if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS)) {
                compiled = false;
                report(Module, path, gl.getShaderInfoLog(shader));
            }
            gl.attachShader(program, shader);
        });
        if (compiled) {
            gl.linkProgram(program);
            if (!gl.getProgramParameter(program, gl.LINK_STATUS)) {
                gl.getProgramInfoLog(program).split('\n').filter(Boolean).forEach(function (entry) {
                    say('linking: ' + entry);
                });
            }
        }
        const lose = gl.getExtension('WEBGL_lose_context');
        if (lose)
            lose.loseContext();
        if (log.childNodes.length === logged)
            say('The edited shaders compile and link: they are running.');
    }

    window.planesBeforeStart = async function (Module) {
        editors.forEach(function (editor, i) { editor.value = shipped[i]; });
        if (!location.hash.startsWith(prefix))
            return;
        let texts;
        try {
            texts = await decode(location.hash.slice(prefix.length));
        } catch (error) {
            say('The shaders in this address cannot be read: these are the shipped ones.');
            return;
        }
        editors.forEach(function (editor, i) { editor.value = texts[i]; });
        document.querySelector('#ended a').hash = location.hash;  // "Start it again" runs them again
        Module.onRuntimeInitialized = function () {
            check(Module, texts);
            paths.forEach(function (path, i) { Module.FS.writeFile('/' + path, texts[i]); });
        };
    };

    function start_again(hash) {
        history.replaceState(null, '', location.pathname + location.search + hash);
        location.reload();
    }
    document.getElementById('run-shaders').addEventListener('click', function () {
        encode(editors.map(function (editor) { return editor.value; })).then(function (code) {
            start_again(prefix + code);
        }, function (error) {
            say('Not run: ' + error.message + '.');
        });
    });
    document.getElementById('reset-shaders').addEventListener('click', function () { start_again(''); });
    // Shaders pasted into the address of this page run as a link to them does.
    window.addEventListener('hashchange', function () {
        if (location.hash.startsWith(prefix))
            location.reload();
    });
})();
