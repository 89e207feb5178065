// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs after the page's script, in the oldest JavaScript, so that it runs
// where that one could not. If the page's script did not start, the window
// says why: a browser too old for it, or a connection lost before it came.
(function () {
    'use strict';

    if (window.KorvelataStarted) {
        return;
    }
    var design = JSON.parse(document.getElementById('Design').textContent);
    var status = document.getElementById('Status');
    var show = function (text) {
        status.hidden = false;
        document.getElementById('StatusText').textContent = text;
    };
    var script = document.querySelector('script[src*="page.js"]');
    if (!script) {
        show(design.TooOldText);
        return;
    }
    // Whether the browser can have the script at all.
    var request = new XMLHttpRequest();
    request.onload = function () {
        show(request.status === 200 ? design.TooOldText : design.PageLostText);
    };
    request.onerror = function () {
        show(design.PageLostText);
    };
    request.open('GET', script.src);
    request.send();
})();
