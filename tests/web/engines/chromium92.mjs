// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Chrome 92, as on Chromebooks whose updates ended in 2021; it knows
// contrast themes, which came in Chrome 89.
import { NpmChromium } from './npm-chromium.mjs';

export const { name, can, Launch } = NpmChromium('Chromium 92', 'chromium-92', 'puppeteer-core-10', { forced: true });
