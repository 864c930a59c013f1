;;; ================================================================
;;; kenchiku_tools.lsp  建築図面用 AutoLISP ツール集
;;; 作成: 設計部 CAD 委員会
;;; 使い方: (load "kenchiku_tools") の後、各コマンド名を入力
;;; ================================================================

(vl-load-com)
(setq *kt-version* "2.3")

;;; ----------------------------------------------------------------
;;; 共通の下請け関数
;;; ----------------------------------------------------------------
(defun kt-get-layer (name color / lay)
  ;; 画層がなければ作る
  (if (not (tblsearch "LAYER" name))
    (command "_.-LAYER" "_M" name "_C" color "" "")
    (setvar "CLAYER" name))
  name)

(defun kt-msg (s) (princ (strcat "\n" s)) (princ))

;;; ----------------------------------------------------------------
;;; 壁を描く
;;; ----------------------------------------------------------------
(defun c:KABE (/ p1 p2 w)
  (kt-get-layer "A-壁" 1)
  (setq w (getdist "\n壁厚 <120>: "))
  (if (null w) (setq w 120.0))
  (command "_.MLINE" "_S" w pause pause "")
  (princ))

;;; 窓を配置する (幅と高さを指定)
(defun C:Mado (width height / ins)
  (kt-get-layer "A-窓" 4)
  (setq ins (getpoint "\n挿入点: "))
  (command "_.INSERT" "MADO" ins width height 0)
  (princ))

;;; ドアを配置する
(DEFUN c:door (
    side      ; 開き勝手
    width     ; 幅
    / pt ang)
  (setq pt (getpoint "\nドアの位置: "))
  (command "_.INSERT" (if (= side "L") "DOOR-L" "DOOR-R") pt width width 0)
  (princ))

;; 柱を配置する
;; (角柱と丸柱に対応)
(defun c:hashira (kind size / pt)
  (setq pt (getpoint "\n柱の中心: "))
  (if (= kind "丸")
    (command "_.CIRCLE" pt (/ size 2.0))
    (command "_.RECTANG" pt "@" (list size size)))
  (princ))

;;; 寸法線; 水平方向のみ
(defun c:DIMX ()
  (command "_.DIMLINEAR" pause pause "_H" pause)
  (princ))

;;; 寸法線; 垂直方向のみ
(defun c:DIM-Y ()
  (command "_.DIMLINEAR" pause pause "_V" pause)
  (princ))

;;; 階段 2 段目以降を描く
(defun c:KAI2 (steps rise run)
  (repeat steps (command "_.LINE" pause (list run rise) ""))
  (princ))

;;; 階段 10 段まとめて描く
(defun c:KAI10 (rise run)
  (c:KAI2 10 rise run))

;;; 通り芯を引く	(一点鎖線)
(defun c:toorishin (/ p1 p2)
  (kt-get-layer "A-通り芯" 1)
  (setvar "CELTYPE" "CENTER")
  (command "_.LINE" pause pause "")
  (setvar "CELTYPE" "BYLAYER")
  (princ))

;;; "部屋名" を記入する
(defun c:heyamei (name / pt)
  (setq pt (getpoint "\n記入位置: "))
  (command "_.TEXT" "_J" "_MC" pt 250 0 name)
  (princ))

;;; ================================================================
(defun c:menseki (/ ent area)
  ;; 面積を求める
  (setq ent (car (entsel "\n閉じたポリラインを選択: ")))
  (command "_.AREA" "_O" ent)
  (setq area (/ (getvar "AREA") 1000000.0))
  (kt-msg (strcat "面積 = " (rtos area 2 2) " ㎡"))
  (princ))

(defun c:NOCOMMENT () (princ))

;;; ファイルの書き出し先を決める
(defun c:kakidashi (/ folder)
  ;; 末尾の \ を付けたまま保存する: "C:\\temp\\" と "\\\"" の両方
  (setq folder "C:\\temp\\")
  (setq quote-in-string "\\\"")
  (kt-msg (strcat "書き出し先: " folder))
  (princ))

;|
   ここからは旧バージョンの関数。
   "互換のために残す
|;
;;; 旧: 壁を描く (互換用)
(defun c:KABE-OLD ()
  (c:KABE))

;;; 画層を一括で切り替える
(defun c:LAYER_OFF (/ lay)
  (setq lay (tblnext "LAYER" T))
  (while lay
    (if (wcmatch (cdr (assoc 2 lay)) "A-*")
      (command "_.-LAYER" "_OFF" (cdr (assoc 2 lay)) ""))
    (setq lay (tblnext "LAYER")))
  (princ))

;;; 家具を配置する
;;; 内部でサブコマンドを定義する
(defun c:kagu (/ kind)
  (defun c:kagu-sub () (princ "内部"))
  (defun kagu-list () '("机" "椅子" "棚"))
  (setq kind (getstring "\n種類: "))
  (princ))

;;; ----------
;;; ==========
(defun c:SOUSHOKU () (princ))

;;; 図面枠を挿入する (A1/A3)
(defun c:waku (size, scale / pt)
  (command "_.INSERT" (strcat "WAKU-" size) '(0 0) scale scale 0)
  (princ))

;;; 縮尺を変える
(defun c:shukushaku (s)
  (setvar "DIMSCALE" s)
  (setvar "LTSCALE" (* s 10))
  (princ))

;;; 文字の高さを揃える
(defun c:moji-soroe (h / ss i)
  (setq ss (ssget '((0 . "TEXT"))))
  (setq i 0)
  (repeat (sslength ss)
    (entmod (subst (cons 40 h) (assoc 40 (entget (ssname ss i))) (entget (ssname ss i))))
    (setq i (1+ i)))
  (princ))

;;; 壁を描く (新しい版で上書き)
(defun c:kabe (/ w)
  (setq w 150.0)
  (command "_.MLINE" "_S" w pause pause "")
  (princ))

;;; 敷地境界線を引く
(defun c:shikichi (/ pts)
  (kt-get-layer "A-敷地" 3)
  (command "_.PLINE")
  (while (= (getvar "CMDACTIVE") 1) (command pause))
  (princ))

;;; 方位記号を置く
(defun c:houi (ang) (command "_.INSERT" "HOUI" pause 1 1 ang) (princ))

(princ "\nkenchiku_tools を読み込みました。")
(princ)
